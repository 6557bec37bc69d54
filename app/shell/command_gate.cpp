#include "command_gate.h"

#include <QAction>
#include <QMenu>
#include <QScopeGuard>
#include <QWidget>
#include <algorithm>

namespace quilmo {

namespace {

bool IsEnabled(const QObject* control)
{
    if (const auto* widget = qobject_cast<const QWidget*>(control)) return widget->isEnabled();
    if (const auto* action = qobject_cast<const QAction*>(control)) return action->isEnabled();
    return true;
}

void SetEnabled(QObject* control, bool enabled)
{
    if (auto* widget = qobject_cast<QWidget*>(control))
        widget->setEnabled(enabled);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setEnabled(enabled);
}

// The window a control belongs to: its nearest ancestor that is a window of its own, menus
// being part of the window that opens them.
const QObject* WindowOf(const QObject* control)
{
    for (const QObject* object = control->parent(); object; object = object->parent()) {
        const auto* widget = qobject_cast<const QWidget*>(object);
        if (widget && widget->isWindow() && !qobject_cast<const QMenu*>(widget)) return widget;
    }
    return nullptr;
}

}  // namespace

TCommandKind CommandKind(const QObject* control)
{
    const QObject* window = WindowOf(control);
    return CommandKind(window ? window->objectName() : QString(), control->objectName());
}

void TCommandGate::SetWorking(bool working)
{
    FWorking = working;
    ShowState();
}

void TCommandGate::Run(const QObject* window, const char* command, const std::function<void()>& run)
{
    RunAs(CommandKind(window->objectName(), QString::fromLatin1(command)), run);
}

void TCommandGate::RunAs(TCommandKind kind, const std::function<void()>& run)
{
    if (kind == TCommandKind::Anytime) {
        run();
        return;
    }
    if (Busy()) {
        emit Refused();
        return;
    }
    FRunning = true;
    ShowState();
    emit Started();
    // Also after an error, which goes on to the application's handler.
    const auto end = qScopeGuard([this] {
        emit Ending();
        FRunning = false;
        ShowState();
    });
    run();
}

void TCommandGate::SetAvailable(QObject* control, bool available)
{
    const auto enlisted = std::find_if(FEnlisted.begin(), FEnlisted.end(),
                                       [control](const TEnlisted& e) { return e.Control == control; });
    if (enlisted == FEnlisted.end()) {
        SetEnabled(control, available);
        return;
    }
    enlisted->Available = available;
    SetEnabled(control, available && !Busy());
}

void TCommandGate::Enlist(QObject* control)
{
    std::erase_if(FEnlisted, [](const TEnlisted& e) { return e.Control.isNull(); });
    if (std::any_of(FEnlisted.begin(), FEnlisted.end(), [control](const TEnlisted& e) { return e.Control == control; }))
        return;
    FEnlisted.push_back({control, IsEnabled(control)});
    SetEnabled(control, FEnlisted.back().Available && !Busy());
}

void TCommandGate::ShowState()
{
    for (const TEnlisted& enlisted : FEnlisted)
        if (enlisted.Control) SetEnabled(enlisted.Control, enlisted.Available && !Busy());
}

}  // namespace quilmo
