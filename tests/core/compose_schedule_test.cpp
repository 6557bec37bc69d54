// The bookkeeping of a join, one step at a time: the order of its tasks, the pictures it holds,
// what it counts in order, and the rows it tells final.

#include <gtest/gtest.h>

#include <vector>

#include "core/compose_schedule.h"
#include "core/final_rows.h"

using namespace quilmo;

namespace {

struct TStep {
    TComposeTask::TKind Kind;
    size_t Index = 0;
    int32_t FirstRow = 0;
    int32_t EndRow = 0;

    friend bool operator==(const TStep&, const TStep&) = default;
};

std::ostream& operator<<(std::ostream& out, const TStep& step)
{
    return out << "{kind " << int(step.Kind) << ", " << step.Index << ", rows " << step.FirstRow << ".." << step.EndRow
               << "}";
}

TStep Next(TComposeSchedule& schedule)
{
    const TComposeTask task = schedule.Next();
    return {task.Kind, task.Index, task.Band.FirstRow, task.Band.EndRow};
}

constexpr auto Fill = TComposeTask::Fill;
constexpr auto Read = TComposeTask::Read;
constexpr auto Scale = TComposeTask::Scale;
constexpr auto Wait = TComposeTask::Wait;
constexpr auto Stop = TComposeTask::Stop;

TEST(ComposeSchedule, FillsFirstThenBandsOfPicturesReadThenReadsUpToTheHeldLimit)
{
    TComposeSchedule schedule(2, 3, 2);
    EXPECT_EQ(Next(schedule), (TStep{Fill, 0}));
    EXPECT_EQ(Next(schedule), (TStep{Fill, 1}));
    EXPECT_EQ(Next(schedule), (TStep{Read, 0}));
    EXPECT_EQ(Next(schedule), (TStep{Read, 1}));
    // Two pictures held: the third waits until one is drawn.
    EXPECT_EQ(Next(schedule), (TStep{Wait}));
    schedule.PictureRead(1, {16, 20}, {});
    EXPECT_EQ(Next(schedule), (TStep{Scale, 1, 0, 16}));
    EXPECT_EQ(Next(schedule), (TStep{Scale, 1, 16, 20}));
    EXPECT_EQ(Next(schedule), (TStep{Wait}));
    EXPECT_FALSE(schedule.BandDone(1, 1).Drawn);
    EXPECT_TRUE(schedule.BandDone(1, 0).Drawn);
    EXPECT_EQ(Next(schedule), (TStep{Read, 2}));
    // Picture 1 is drawn, but counts in order only once picture 0 is.
    EXPECT_EQ(schedule.DrawnInOrder(), 0u);
    schedule.PictureRead(0, {8}, {});
    schedule.PictureRead(2, {8}, {});
    EXPECT_EQ(Next(schedule), (TStep{Scale, 0, 0, 8}));
    EXPECT_EQ(Next(schedule), (TStep{Scale, 2, 0, 8}));
    schedule.BandDone(0, 0);
    EXPECT_EQ(schedule.DrawnInOrder(), 2u);
    // Every picture is drawn, but the join ends only with the fill.
    schedule.BandDone(2, 0);
    EXPECT_EQ(Next(schedule), (TStep{Wait}));
    schedule.FillDone(1);
    EXPECT_EQ(schedule.FillsInOrder(), 0u);
    schedule.FillDone(0);
    EXPECT_EQ(schedule.FillsInOrder(), 2u);
    EXPECT_EQ(Next(schedule), (TStep{Stop}));
}

TEST(ComposeSchedule, AStoppedScheduleHandsOutNothing)
{
    TComposeSchedule schedule(3, 2, 2);
    EXPECT_EQ(Next(schedule), (TStep{Fill, 0}));
    schedule.Stop();
    EXPECT_EQ(Next(schedule), (TStep{Stop}));
}

TEST(PictureStates, ReportsComeOnceTheRowsBeforeThemAreDone)
{
    TPictureStates pictures(2);
    EXPECT_FALSE(pictures.TakeBand(0));
    pictures.StartReading(0);
    EXPECT_FALSE(pictures.TakeBand(0));
    pictures.MarkReady(0, {10, 20, 30, 40}, {20, 40});
    pictures.MarkReady(1, {5, 9}, {0});
    for (int band = 0; band < 4; ++band) ASSERT_TRUE(pictures.TakeBand(0));
    EXPECT_FALSE(pictures.TakeBand(0));
    EXPECT_EQ(pictures.MarkBandDone(0, 1), 0u);
    EXPECT_EQ(pictures.RowsInOrder(0), 0);
    EXPECT_EQ(pictures.MarkBandDone(0, 3), 0u);
    EXPECT_EQ(pictures.MarkBandDone(0, 0), 1u);
    EXPECT_EQ(pictures.RowsInOrder(0), 20);
    EXPECT_EQ(pictures.State(0), TPictureStates::Ready);
    EXPECT_EQ(pictures.MarkBandDone(0, 2), 1u);
    EXPECT_EQ(pictures.State(0), TPictureStates::Drawn);
    // A report before the first row comes with whichever band is done first.
    EXPECT_EQ(pictures.MarkBandDone(1, 1), 1u);
}

TEST(FinalRows, RowsWaitForTheFillAndForEveryPictureNotDrawn)
{
    // A 200-row picture filled in groups of 64 rows, pictures at rows 10..60 and 100..180.
    const TRect places[] = {{0, 10, 50, 60}, {0, 100, 50, 180}};
    std::vector<int32_t> told;
    TFinalRows rows(200, 64, places, [&](int32_t count) { told.push_back(count); });
    TPictureStates pictures(2);
    rows.Update(0, pictures);
    EXPECT_TRUE(told.empty());
    // The fill is done, but no picture has begun: the rows above the first are final.
    rows.Update(4, pictures);
    pictures.MarkReady(0, {20, 50}, {});
    pictures.MarkBandDone(0, 1);
    rows.Update(4, pictures);
    pictures.MarkBandDone(0, 0);
    rows.Update(4, pictures);
    pictures.MarkReady(1, {40, 80}, {});
    pictures.MarkBandDone(1, 0);
    rows.Update(4, pictures);
    // Told rows never shrink, however the counts come.
    rows.Update(1, pictures);
    pictures.MarkBandDone(1, 1);
    rows.Update(4, pictures);
    EXPECT_EQ(told, (std::vector<int32_t>{10, 100, 140, 200}));
    EXPECT_EQ(rows.Told(), 200);
}

}  // namespace
