// Acts on the modal dialog a command is about to open, as a user would,
// from inside its event loop. A dialog the action leaves open is cancelled,
// so no test waits for a key.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace corvadel::test {

class TWhenModal {
public:
    explicit TWhenModal(std::function<void(QDialog &)> act)
        : Act(std::move(act))
    {
        Timer.setSingleShot(true);
        QObject::connect(&Timer, &QTimer::timeout, [this] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            Opened = true;
            Act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        Timer.start(0);
    }
    // Dropped unfired when no dialog came, so it cannot act in a later test.
    ~TWhenModal() { EXPECT_TRUE(Opened) << "the expected dialog never opened"; }

    bool Opened = false;

private:
    std::function<void(QDialog &)> Act;
    QTimer Timer;
};

} // namespace corvadel::test
