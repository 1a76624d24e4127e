#include "platform/widgets/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "platform/messages.h"

namespace platform {
namespace {

template <typename Handler>
Handler& Slot() {
    static Handler handler;
    return handler;
}

template <typename Handler>
Handler Replace(Handler handler) {
    Handler previous = std::move(Slot<Handler>());
    Slot<Handler>() = std::move(handler);
    return previous;
}

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonText {
    int button;
    const char* text;
};
constexpr ButtonText kButtonTexts[] = {
    {mbOK, "OK"},           {mbCancel, "Storno"},   {mbYes, "&Ano"},          {mbNo, "&Ne"},
    {mbAbort, "&Přerušit"}, {mbRetry, "&Opakovat"}, {mbIgnore, "&Ignorovat"},
};

int ShowMessageBox(const MessageRequest& request) {
    QMessageBox box(BoxIcon(request.icon), request.caption, request.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    std::vector<std::pair<QAbstractButton*, int>> buttons;
    const int preferred =
        request.defaultButton ? request.defaultButton : FirstButton(request.buttons);
    for (const ButtonText& entry : kButtonTexts) {
        if (!(request.buttons & entry.button)) {
            continue;
        }
        const auto role = entry.button == mbCancel || entry.button == mbNo
                              ? QMessageBox::RejectRole
                              : QMessageBox::AcceptRole;
        QPushButton* pushButton = box.addButton(QString::fromUtf8(entry.text), role);
        if (entry.button == preferred) {
            box.setDefaultButton(pushButton);
        }
        buttons.emplace_back(pushButton, entry.button);
    }
    box.exec();
    for (const auto& [pushButton, value] : buttons) {
        if (box.clickedButton() == pushButton) {
            return value;
        }
    }
    return request.buttons & mbCancel ? mbCancel : (request.buttons & mbNo ? mbNo : preferred);
}

}  // namespace

int ExecModal(QDialog& dialog) {
    if (const ModalHandler& handler = Slot<ModalHandler>()) {
        return handler(dialog);
    }
    return dialog.exec();
}

ModalHandler SetModalHandler(ModalHandler handler) {
    return Replace(std::move(handler));
}

QString AskFileName(const FileDialogRequest& request, QWidget* parent) {
    if (const FileDialogHandler& handler = Slot<FileDialogHandler>()) {
        return handler(request);
    }
    QFileDialog dialog(parent, request.caption, request.directory, request.filter);
    dialog.setAcceptMode(request.kind == FileDialogKind::Save ? QFileDialog::AcceptSave
                                                              : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.kind == FileDialogKind::Save     ? QFileDialog::AnyFile
                       : request.kind == FileDialogKind::Folder ? QFileDialog::Directory
                                                                : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
    return Replace(std::move(handler));
}

bool InputQuery(const QString& caption, const QString& prompt, QString& value, QWidget* parent) {
    if (const InputHandler& handler = Slot<InputHandler>()) {
        return handler(caption, prompt, value);
    }
    bool accepted = false;
    const QString answer =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, value, &accepted);
    if (accepted) {
        value = answer;
    }
    return accepted;
}

InputHandler SetInputHandler(InputHandler handler) {
    return Replace(std::move(handler));
}

void InstallWidgetMessageHandler() {
    SetMessageHandler(ShowMessageBox);
}

}  // namespace platform
