// The main window's settings: read from the settings file into the controls at start, and
// collected from them for the file at close.

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

#include "core/slot_document.h"
#include "input/slot_loading.h"
#include "main_window.h"

namespace quilmo {

namespace {

void SetIndexQuietly(QComboBox* combo, int index)
{
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index);
}

void SetValueQuietly(QSpinBox* spin, int value)
{
    const QSignalBlocker blocker(spin);
    spin->setValue(value);
}

}  // namespace

void TForm1::ReadSettings()
{
    std::optional<TMainSettings> stored;
    Guarded([&] { stored = ReadMainSettings(FIniPath, FExeDir.string()); });
    TJoinSettings join = ControlSettings();
    if (stored) {
        const TMainSettings& s = *stored;
        setGeometry(s.Left, s.Top, s.Width, s.Height);
        Loader().FLastDir = s.Dir;
        FSusieDir = s.Susie;
        FShippedPlugins = s.ShippedPlugins;
        SetValueQuietly(jpgoption, s.Jpg);
        progbox->setChecked(s.Progress);
        losslessbox->setChecked(s.Lossless);
        SetIndexQuietly(Combo, s.Idx);
        ShowQualityForFormat();
        SetIndexQuietly(ComboBox1, s.Orientation);
        SetIndexQuietly(bcombo, s.BCombo);
        bufferbtnAction->setVisible(s.BCombo == 1);
        SetPanelColor(s.Color);
        join.Direction = static_cast<TJoinDirection>(s.Idx2);
        join.Wrap = s.Wrap;
        join.Align = static_cast<TJoinAlign>(s.Align);
        join.Method = static_cast<TResampleMethod>(s.Idx3);
        join.Gap = s.Split;
        join.FrameOn = s.Edge == 1;
        join.FrameRect = s.EdgeRect;
        join.PreviewMode = static_cast<TPreviewMode>(s.View);
        join.JoinColor = s.BackColor;
        join.ColorSpace = s.Srgb ? TColorSpaceChoice::SRGB : TColorSpaceChoice::Auto;
        mmxsse->setChecked(s.Sse2);
        LanguageItem(s.Language)->setChecked(true);
        join.FUseSSE2 = HasSSE2() && !s.Sse2;
    }
    ShowJoinSettings(join);
    // Nothing is joined yet: the document only takes the settings.
    Document().SetSettings(join);
}

TJoinSettings TForm1::ControlSettings() const
{
    TJoinSettings settings = FDocument->RequestedSettings();
    settings.Direction = static_cast<TJoinDirection>(combo2->currentIndex());
    settings.Wrap = wrapspin->value();
    settings.Align = static_cast<TJoinAlign>(aligncombo->currentIndex());
    settings.Method = static_cast<TResampleMethod>(combo3->currentIndex());
    settings.Gap = SpinEdit->value();
    settings.FrameOn = edgecombo->currentIndex() == 1;
    settings.PreviewMode = static_cast<TPreviewMode>(viewbox->currentIndex());
    settings.ColorSpace = srgbbox->isChecked() ? TColorSpaceChoice::SRGB : TColorSpaceChoice::Auto;
    return settings;
}

void TForm1::ShowJoinSettings(const TJoinSettings& settings)
{
    SetIndexQuietly(combo2, settings.Direction);
    SetValueQuietly(wrapspin, settings.Wrap);
    SetIndexQuietly(combo3, settings.Method);
    SetIndexQuietly(aligncombo, settings.Align);
    aligncombo->setEnabled(settings.Method == rmOriginal);
    SetValueQuietly(SpinEdit, settings.Gap);
    SetIndexQuietly(edgecombo, settings.FrameOn ? 1 : 0);
    SetIndexQuietly(viewbox, settings.PreviewMode);
    ShowJoinColor(settings.JoinColor);
    const QSignalBlocker blocker(srgbbox);
    srgbbox->setChecked(settings.ColorSpace == TColorSpaceChoice::SRGB);
    if (HasSSE2()) mmxsse->setChecked(!settings.FUseSSE2);
}

TMainSettings TForm1::CurrentSettings() const
{
    // A maximised or minimised window keeps the place it had before.
    const bool normal = !isMaximized() && !isMinimized() && !isFullScreen();
    const QRect place = normal ? geometry() : normalGeometry();
    const TJoinSettings& join = FDocument->RequestedSettings();
    TMainSettings s;
    s.Left = place.left();
    s.Top = place.top();
    s.Width = place.width();
    s.Height = place.height();
    s.Dir = FLoader->FLastDir.string();
    s.Susie = FSusieDir;
    s.ShippedPlugins = FShippedPlugins;
    s.Split = SpinEdit->value();
    s.Jpg = jpgoption->value();
    s.Progress = progbox->isChecked();
    s.Lossless = losslessbox->isChecked();
    s.Idx = Combo->currentIndex();
    s.Orientation = ComboBox1->currentIndex();
    s.Idx2 = combo2->currentIndex();
    s.Idx3 = combo3->currentIndex();
    s.Wrap = wrapspin->value();
    s.Align = aligncombo->currentIndex();
    s.BCombo = bcombo->currentIndex();
    s.View = viewbox->currentIndex();
    s.Edge = edgecombo->currentIndex();
    s.EdgeRect = join.FrameRect;
    s.Sse2 = mmxsse->isChecked();
    s.Srgb = join.ColorSpace == TColorSpaceChoice::SRGB;
    s.Language = japaneseitem->actionGroup()->checkedAction()->data().toString().toStdString();
    s.Color = FPanelColor;
    s.BackColor = join.JoinColor;
    return s;
}

}  // namespace quilmo
