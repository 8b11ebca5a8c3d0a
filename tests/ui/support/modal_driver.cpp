#include "modal_driver.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>

namespace scanbench::testing {

ModalDriver::ModalDriver() {
    Timer.setInterval(5);
    connect(&Timer, &QTimer::timeout, this, &ModalDriver::Poll);
    Timer.start();
}

ModalDriver& ModalDriver::Then(Action action) {
    Actions.push_back(std::move(action));
    return *this;
}

ModalDriver& ModalDriver::Press(int key, Qt::KeyboardModifiers modifiers) {
    return Then([key, modifiers](QWidget& modal) {
        QTest::keyClick(&modal, static_cast<Qt::Key>(key), modifiers);
    });
}

void ModalDriver::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal == Driven) {
        if (SinceAction.hasExpired(3000)) {
            Seen << QStringLiteral("left open: ") + modal->windowTitle();
            modal->close();
        }
        return;
    }
    Driven = modal;
    if (modal == nullptr || Actions.empty()) {
        return;
    }
    SinceAction.start();
    const auto* box = qobject_cast<QMessageBox*>(modal);
    Seen << (box != nullptr ? box->windowTitle() + QStringLiteral(": ") + box->text()
                            : modal->windowTitle());
    Places << modal->geometry();
    const Action action = std::move(Actions.front());
    Actions.pop_front();
    action(*modal);
}

} // namespace scanbench::testing
