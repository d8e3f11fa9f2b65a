#pragma once

#include "app/panel.h"
#include "projectorend.h"
#include "store.h"
#include "ui/comport/form2.h"
#include "ui/main/form1.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

namespace orvel::test {

inline QWidget *child(QWidget *window, const char *name)
{
    return window->findChild<QWidget *>(QString::fromLatin1(name));
}

inline void click(QWidget *window, const char *name)
{
    auto *button = window->findChild<QAbstractButton *>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Dismisses the "Retry Comport" box of the dialog, as the operator does with its one OK button.
inline void dismissRetry(ui::Form2 *dialog)
{
    QMessageBox *box = dialog->retryMessage();
    QTRY_VERIFY(box->isVisible());
    QCOMPARE(box->text(), QStringLiteral("Retry Comport"));
    QCOMPARE(box->windowTitle(), QStringLiteral("Error"));
    QCOMPARE(box->icon(), QMessageBox::Warning);
    QCOMPARE(box->buttons().size(), 1);
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    QTRY_VERIFY(!box->isVisible());
}

} // namespace orvel::test
