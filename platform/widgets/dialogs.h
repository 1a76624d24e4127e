#pragma once
// Seams for everything a form does that would block: modal showing, message
// boxes, file and input dialogs. The real handlers show Qt dialogs; tests
// replace them to fill fields, press buttons and answer for the user.

#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace platform {

// ---- modal showing ---------------------------------------------------------
using ModalHandler = std::function<int(QDialog&)>;
// Shows the dialog modally (QDialog::exec) or hands it to the test handler.
int ExecModal(QDialog& dialog);
ModalHandler SetModalHandler(ModalHandler handler);

// ---- file dialogs ----------------------------------------------------------
enum class FileDialogKind { Open, Save, Folder };  // Folder: an existing folder
struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QString caption;
    QString directory;      // initial folder or file
    QString filter;         // Qt filter text, ";;"-separated
    QString defaultSuffix;  // added when the typed name has none
    bool confirmOverwrite = true;
};
using FileDialogHandler = std::function<QString(const FileDialogRequest&)>;
// Answers the chosen path, or an empty string when the user cancels.
QString AskFileName(const FileDialogRequest& request, QWidget* parent = nullptr);
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

// ---- input box -------------------------------------------------------------
using InputHandler =
    std::function<bool(const QString& caption, const QString& prompt, QString& value)>;
// Asks for one line of text; `value` holds the initial text and receives the answer.
bool InputQuery(const QString& caption, const QString& prompt, QString& value,
                QWidget* parent = nullptr);
InputHandler SetInputHandler(InputHandler handler);
// Asks for a password: as InputQuery (the same handler answers), its
// characters hidden as they are typed.
bool AskPassword(const QString& caption, const QString& prompt, QString& value,
                 QWidget* parent = nullptr);

// Installs the message handler that shows real QMessageBox windows.
void InstallWidgetMessageHandler();

}  // namespace platform
