#include "app/panel.h"

#include "ui/comport/form2.h"
#include "ui/main/form1.h"

#include <QCoreApplication>

namespace orvel::app {

Panel::Panel() : m_form1(std::make_unique<ui::Form1>(m_globals, m_store, m_link, m_monitor))
{
    connect(m_form1.get(), &ui::Form1::comPortDialogRequested, this, &Panel::showComPortDialog);
    // END and the close control both end the program, dialogs included.
    connect(m_form1.get(), &ui::Form1::closed, this, &Panel::end);
}

Panel::~Panel()
{
    delete m_form2;
}

ui::Form2 *Panel::comPortDialog() const
{
    return m_form2;
}

void Panel::start()
{
    if (m_form1->load() == link::StartUpResult::PortOpened)
        m_form1->show();
    // Otherwise the modal port dialog is up, and its closing shows the window.
}

void Panel::showComPortDialog(bool modal)
{
    if (!modal) {
        // COM while the dialog is open brings the same one forward.
        if (m_form2) {
            m_form2->raise();
            m_form2->activateWindow();
            return;
        }
    }
    delete m_form2;
    m_form2 = new ui::Form2(m_globals, m_link, m_store);
    m_form2->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_form2, &ui::Form2::mainWindowRequested, this, &Panel::showMainWindow);
    if (modal) {
        // Start-up waits for the dialog: however it closes, the main window then appears as it stands.
        m_form2->setWindowModality(Qt::ApplicationModal);
        connect(m_form2, &QDialog::finished, m_form1.get(), &QWidget::show);
    }
    m_form2->show();
    m_form2->raise();
    m_form2->activateWindow();
}

void Panel::showMainWindow()
{
    m_form1->show();
    m_form1->raise();
    m_form1->activateWindow();
}

void Panel::end()
{
    if (m_form2)
        m_form2->close();
    Q_EMIT ended();
    QCoreApplication::quit();
}

} // namespace orvel::app
