#pragma once

#include <QDialog>

#include <array>

class QLineEdit;
class QMessageBox;
class QRadioButton;

namespace orvel::link {
struct Globals;
class SerialLink;
class SettingsStore;
} // namespace orvel::link

namespace orvel::ui {

// The COM port dialog: the operator chooses a port, tries it and, when it
// opens, stores its number for the next start. The choice goes straight into
// ComPortNo as the operator acts.
class Form2 final : public QDialog
{
    Q_OBJECT

public:
    Form2(link::Globals &globals, link::SerialLink &link, link::SettingsStore &store,
          QWidget *parent = nullptr);
    ~Form2() override;

    // The warning a failed OK or Cancel shows; it stays alive for the next one.
    QMessageBox *retryMessage() const { return m_retry; }

Q_SIGNALS:
    // A port has been opened and the dialog has closed: the main window is to be shown.
    void mainWindowRequested();

private:
    void load();
    void Option_Click(int number);
    void Text1_Change();
    void Command1_Click(); // OK
    void Command2_Click(); // Cancel
    bool openPort(const QString &whyNot);
    void showRetry(const QString &why);
    QString deviceHint(int number) const;

    link::Globals &m_globals;
    link::SerialLink &m_link;
    link::SettingsStore &m_store;

    std::array<QRadioButton *, 5> m_options{}; // Option3 to Option7: COM1 to COM5
    QLineEdit *m_text1 = nullptr;
    QMessageBox *m_retry = nullptr;
};

} // namespace orvel::ui
