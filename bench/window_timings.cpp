// Times the main window where a user waits: from start to the first paint, from dropping six
// photos to their joined preview (against the same join without a window and against
// quilmo-cli join), a rebuild after a gap change, each redraw while the window is resized with
// the 20198 x 2600 joined picture, saving it at half size (against quilmo-cli resize), also as
// PNG, and printing it to PDF. While the photos are joined, the gap changes and the PNG is
// saved, it measures the longest time the window's thread went without turning its event loop.
// Prints the peak memory against what the pictures themselves need. bench/window-stall.sh
// measures the same stall from outside the program, as a user sees it.
//
//   QT_QPA_PLATFORM=offscreen build/bench/window_timings [FOLDER]

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QProcess>
#include <QPrinter>
#include <QSpinBox>
#include <QToolButton>
#include <QElapsedTimer>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/main/main_window.h"
#include "app/output/picture_printer.h"
#include "app/main/preview_view.h"
#include "app/output/resize_save_window.h"
#include "app/shell/qt_ui_services.h"
#include "bigbitmap/big_bitmap.h"
#include "core/quiet_document_host.h"
#include "core/slot_document.h"
#include "input/graphic_registry.h"
#include "input/slot_loading.h"
#include "output/picture_file.h"

using namespace quilmo;

namespace {

QElapsedTimer gClock;

// The photo sizes of bench/compare-join.sh: joined side by side with bicubic, 20198 x 2600.
const std::pair<int, int> kSizes[] = {{1600, 1200}, {2400, 1600}, {1950, 2600},
                                      {2000, 1500}, {3000, 2000}, {1800, 1350}};

// Smooth colour waves with fine grain, about as costly to decode as a photo.
std::vector<std::string> MakePhotos(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    std::vector<std::string> names;
    for (size_t i = 0; i < std::size(kSizes); ++i) {
        const auto [width, height] = kSizes[i];
        const std::filesystem::path name =
            folder / ("photo" + std::to_string(i + 1) + "-" + std::to_string(width) + "x" +
                      std::to_string(height) + ".jpg");
        names.push_back(name.string());
        if (std::filesystem::exists(name)) continue;
        TBigBitmap photo;
        photo.SetBitmaps(width, height, bbpf24bit);
        for (int y = 0; y < height; ++y) {
            uint8_t* row = photo.GetScanline(y);
            for (int x = 0; x < width; ++x) {
                const double wave = std::sin(x * 0.004 * (i + 1)) * std::cos(y * 0.003);
                const int grain = ((x * 7919 + y * 104729) >> 3) % 17;
                row[3 * x] = static_cast<uint8_t>(120 + 100 * wave + grain);
                row[3 * x + 1] = static_cast<uint8_t>(x * 255 / width);
                row[3 * x + 2] = static_cast<uint8_t>(y * 255 / height);
            }
        }
        SavePictureFile(photo, name, {90, false});
    }
    return names;
}

double StatusMiB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0) return std::stod(line.substr(field.size())) / 1024;
    return 0;
}

double PeakMiB()
{
    return StatusMiB("VmHWM:");
}

// Starts a new peak from the memory in use now.
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The desktop's dialogs, but the save dialog answers with a fixed name.
class TBenchUi : public TQtUiServices {
public:
    QString SaveName;
    QString GetSaveFileName(QWidget*, const TSaveDialogRequest&) override { return SaveName; }
};

// The longest time the window's thread went without handling events: a precise timer asks
// every 2 ms, and the longest time between two of its ticks is the stall.
class TLoopWatch : public QObject {
public:
    void Start()
    {
        FLongest = 0;
        FClock.start();
        FLast = 0;
        FTimer = startTimer(2, Qt::PreciseTimer);
    }
    // Milliseconds.
    double Stop()
    {
        killTimer(FTimer);
        return std::max(FLongest, Now() - FLast);
    }

protected:
    void timerEvent(QTimerEvent*) override
    {
        const double now = Now();
        FLongest = std::max(FLongest, now - FLast);
        FLast = now;
    }

private:
    double Now() const { return FClock.nsecsElapsed() / 1e6; }

    QElapsedTimer FClock;
    double FLast = 0;
    double FLongest = 0;
    int FTimer = 0;
};

// Paints of the preview, counted so a redraw can be waited for.
class TPaintCounter : public QObject {
public:
    int Paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++Paints;
        return false;
    }
};

}  // namespace

int main(int argc, char** argv)
{
    gClock.start();
    QApplication application(argc, argv);
    RegisterStandardGraphicFormats();
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path() / "quilmo-window-bench";
    const std::filesystem::path exeDir = folder / "exe";
    std::filesystem::create_directories(exeDir);
    std::filesystem::remove(exeDir / "quilmo.ini");

    TBenchUi ui;
    TForm1 window(ui, exeDir, {});
    TPaintCounter counter;
    window.iview->installEventFilter(&counter);
    window.show();
    while (counter.Paints == 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    std::printf("start to first paint: %.0f ms\n", gClock.nsecsElapsed() / 1e6);
    // What the program needs before it holds any picture: libraries, fonts, the window.
    const double emptyMiB = StatusMiB("VmRSS:");

    const std::vector<std::string> photos = MakePhotos(folder / "photos");
    // As bench/compare-join.sh joins them: bicubic, 10 pixels apart.
    window.combo3->setCurrentIndex(rmBicubic);
    window.SpinEdit->setValue(1);

    QElapsedTimer timer;
    timer.start();
    {
        // The document alone, as quilmo-cli join drives it: no preview to show.
        TQuietDocumentHost host;
        TSlotDocument document(host);
        TJoinSettings settings = document.Settings();
        settings.Method = rmBicubic;
        settings.Gap = 1;
        document.SetSettings(settings);
        TSlotLoader loader(document);
        loader.LoadFiles(photos);
    }
    const double alone = timer.nsecsElapsed() / 1e6;

    const QString cli = QCoreApplication::applicationDirPath() + "/../cli/quilmo-cli";
    QStringList joinArguments{"join", "--method", "bicubic", "--gap", "10", "-o",
                              QString::fromStdString((folder / "cli-joined.jpg").string())};
    for (const std::string& photo : photos) joinArguments << QString::fromStdString(photo);
    timer.restart();
    QProcess::execute(cli, joinArguments);
    const double cliJoin = timer.nsecsElapsed() / 1e6;

    TLoopWatch watch;
    int paintsBefore = counter.Paints;
    timer.restart();
    watch.Start();
    window.Loader().DropFiles(photos);
    while (counter.Paints == paintsBefore)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const double dropped = timer.nsecsElapsed() / 1e6;
    const double dropStall = watch.Stop();
    std::printf("six photos, join without a window: %.0f ms\n", alone);
    std::printf("six photos, quilmo-cli join to a JPEG file: %.0f ms\n", cliJoin);
    std::printf("six photos dropped to preview shown: %.0f ms (%.2fx the join without a window, "
                "%.2fx quilmo-cli join); longest the window did not answer: %.0f ms\n",
                dropped, dropped / alone, dropped / cliJoin, dropStall);

    const double joinedPeak = PeakMiB();

    // The joined picture is moved into a new one: for a moment both are held.
    const double beforeGap = StatusMiB("VmRSS:");
    ResetPeak();
    for (const int gap : {2, 1}) {
        paintsBefore = counter.Paints;
        timer.restart();
        watch.Start();
        window.SpinEdit->setValue(gap);
        while (counter.Paints == paintsBefore)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        const double respaced = timer.nsecsElapsed() / 1e6;
        std::printf("gap changed to %d pixels, to preview shown: %.0f ms; longest the window did "
                    "not answer: %.0f ms\n", gap * 10, respaced, watch.Stop());
    }
    std::printf("peak memory while the gap changes: %.0f MiB above the %.0f MiB in use before\n",
                PeakMiB() - beforeGap, beforeGap);

    const TBigBitmap& joined = window.Document().Joined();
    std::printf("joined picture: %d x %d\n", joined.GetWidth(), joined.GetHeight());
    for (const char* mode : {"pretty", "fast"}) {
        window.viewbox->setCurrentIndex(mode == std::string("fast"));
        double slowest = 0, total = 0;
        const int steps = 10;
        for (int i = 0; i < steps; ++i) {
            timer.restart();
            window.resize(window.width() + (i % 2 ? -37 : 41),
                          window.height() + (i % 2 ? -23 : 29));
            QCoreApplication::processEvents();
            window.iview->repaint();
            const double ms = timer.nsecsElapsed() / 1e6;
            slowest = std::max(slowest, ms);
            total += ms;
        }
        std::printf("%s redraw on resize: %.1f ms average, %.1f ms slowest\n", mode,
                    total / steps, slowest);
        if (mode != std::string("pretty")) continue;
        // Once the size stays put, the pretty preview is reduced anew.
        const int paints = counter.Paints;
        timer.restart();
        while (counter.Paints == paints && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        std::printf("pretty redraw once the size settles: %.0f ms after the last resize\n",
                    timer.nsecsElapsed() / 1e6);
    }

    const std::string joinedBmp = (folder / "joined.bmp").string();
    window.Document().Joined().SaveToFile(joinedBmp);
    const QString halfWidth = QString::number(joined.GetWidth() / 2);
    const QString halfHeight = QString::number(joined.GetHeight() / 2);
    timer.restart();
    QProcess::execute(cli, {"resize", "--method", "reduce", QString::fromStdString(joinedBmp),
                            QString::fromStdString((folder / "cli-half.bmp").string()), halfWidth,
                            halfHeight});
    const double cliHalf = timer.nsecsElapsed() / 1e6;
    ui.SaveName = QString::fromStdString((folder / "half.bmp").string());
    window.resavebtn->click();
    window.resizeform->CheckBox2->setChecked(true);
    timer.restart();
    window.resizeform->Button1Click();
    const double windowHalf = timer.nsecsElapsed() / 1e6;
    std::printf("save at half size: %.0f ms, quilmo-cli resize --method reduce: %.0f ms (%.2fx)\n",
                windowHalf, cliHalf, windowHalf / cliHalf);

    // PNG takes longest to write; the window answers meanwhile.
    ui.SaveName = QString::fromStdString((folder / "half.png").string());
    window.resavebtn->click();
    window.resizeform->CheckBox2->setChecked(true);
    timer.restart();
    watch.Start();
    window.resizeform->Button1Click();
    const double pngHalf = timer.nsecsElapsed() / 1e6;
    std::printf("save at half size as PNG: %.0f ms; longest the window did not answer: %.0f ms\n",
                pngHalf, watch.Stop());

    QPrinter& printer = window.PicturePrinter().Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((folder / "print.pdf").string()));
    const double before = StatusMiB("VmRSS:");
    ResetPeak();
    timer.restart();
    window.printbtn->click();
    const double pageMiB = printer.width() * 3.0 * printer.height() / (1 << 20);
    std::printf("print to PDF: %.0f ms, peak %.0f MiB above the %.0f MiB in use before (a page "
                "raster is %.0f MiB)\n",
                timer.nsecsElapsed() / 1e6, PeakMiB() - before, before, pageMiB);

    double slotMiB = 0;
    for (const auto& [width, height] : kSizes) slotMiB += width * 3.0 * height / (1 << 20);
    const double joinedMiB = joined.GetWidth() * 3.0 * joined.GetHeight() / (1 << 20);
    const double viewMiB = window.iview->width() * 3.0 * window.iview->height() / (1 << 20);
    std::printf("peak memory while joining and previewing: %.0f MiB above the %.0f MiB of the empty "
                "window (joined %.0f + slots %.0f + 2 views %.0f = %.0f MiB)\n",
                joinedPeak - emptyMiB, emptyMiB, joinedMiB, slotMiB, 2 * viewMiB,
                joinedMiB + slotMiB + 2 * viewMiB);
    return 0;
}
