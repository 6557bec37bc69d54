#pragma once
// One command at a time. Every command of every window reaches its handler through the gate,
// which knows whether one runs. While a command runs (loading, building, saving, printing, a
// batch run), the windows keep answering, but nothing that would read or change what it works
// on (the slots, the settings, the plug-ins and the formats they read) starts on top of it:
// such commands are refused and their controls greyed. Setting changes are let through, since
// the document carries them out once the running command has ended. Which command is which is
// decided in one table (command_kinds.cpp).

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <type_traits>
#include <vector>

namespace quilmo {

enum class TCommandKind : uint8_t {
    // Runs alone: refused, and its control greyed, while another command runs.
    Exclusive,
    // Runs at any time: a setting change that waits in the document, or what touches nothing a
    // command works on (showing or hiding a window, stopping a batch run).
    Anytime,
};

// The kind of command named in window (its object name, "Form1") as command: a control's object
// name ("combo2") or the name of a command no control carries ("close"). Commands the table
// does not list are exclusive.
TCommandKind CommandKind(const QString& window, const QString& command);
// The kind of the command control carries, named in the window that holds it.
TCommandKind CommandKind(const QObject* control);

class TCommandGate : public QObject {
    Q_OBJECT
public:
    // A command runs, or work outside any command (the document following the view's size).
    bool Busy() const { return FRunning || FWorking; }
    // The document works, also when no command of the gate has started it.
    void SetWorking(bool working);

    // Runs the command that window names command, as far as its kind allows.
    void Run(const QObject* window, const char* command, const std::function<void()>& run);

    // Connects signal of control to handler through the gate, as the command the table names
    // for the control. The handler takes the signal's arguments or none. An exclusive control
    // is greyed while the gate is busy.
    template <typename Control, typename Signal, typename Handler>
    void Connect(Control* control, Signal signal, Handler handler)
    {
        const TCommandKind kind = CommandKind(control);
        if (kind == TCommandKind::Exclusive) Enlist(control);
        connect(control, signal, this, [this, kind, handler](const auto&... arguments) -> void {
            RunAs(kind, [&] {
                if constexpr (std::is_invocable_v<const Handler&, decltype(arguments)...>)
                    std::invoke(handler, arguments...);
                else
                    std::invoke(handler);
            });
        });
    }

    // The same for a handler that is a method of receiver.
    template <typename Control, typename Signal, typename Receiver, typename Method>
    void Connect(Control* control, Signal signal, Receiver* receiver, Method method)
    {
        Connect(control, signal, std::bind_front(method, receiver));
    }

    // Whether the window offers control's command at the moment (a picture to save, a clipboard
    // to paste from). A control the gate greys while busy shows this once the gate is idle.
    void SetAvailable(QObject* control, bool available);

signals:
    // An exclusive command began, and it is ending: what waited for it may be carried out now,
    // while nothing else may start yet.
    void Started();
    void Ending();
    // A command was asked for while another one runs and was not carried out.
    void Refused();

private:
    struct TEnlisted {
        QPointer<QObject> Control;
        bool Available;
    };

    void RunAs(TCommandKind kind, const std::function<void()>& run);
    void Enlist(QObject* control);
    // Greys or enables the enlisted controls for the gate's state.
    void ShowState();

    std::vector<TEnlisted> FEnlisted;
    bool FRunning = false;
    bool FWorking = false;
};

}  // namespace quilmo
