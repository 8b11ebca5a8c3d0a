#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

class QWidget;

namespace scanbench::testing {

// Acts on the modal dialogs and message boxes that a command opens, one
// action per dialog in the order they open, while the command waits in the
// dialog's own event loop. It records what each one showed. A dialog that
// its action left open is closed after a few seconds, so a test fails
// instead of hanging.
class ModalDriver : public QObject {
public:
    using Action = std::function<void(QWidget& modal)>;

    ModalDriver();

    // Queues the action for the next modal that opens.
    ModalDriver& Then(Action action);
    // Clicks a key on the modal (a message box takes its buttons' letters).
    ModalDriver& Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    [[nodiscard]] bool Done() const { return Actions.empty(); }

    QStringList Seen; // message boxes as "title: text", other dialogs as their titles
    QList<QRect> Places;

private:
    void Poll();

    QTimer Timer;
    std::deque<Action> Actions;
    QElapsedTimer SinceAction;
    QPointer<QWidget> Driven; // the modal the last action went to, while it is up
};

} // namespace scanbench::testing
