#include "platform/widgets/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QProxyStyle>
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
// In the order a question names its answers: "Ano", "Ne", "Storno".
constexpr ButtonText kButtonTexts[] = {
    {mbYes, "&Ano"},          {mbNo, "&Ne"},          {mbOK, "OK"},
    {mbCancel, "Storno"},     {mbAbort, "&Přerušit"}, {mbRetry, "&Opakovat"},
    {mbIgnore, "&Ignorovat"},
};

// A button box lays out its buttons by role in the order the desktop's style
// prefers ("Ano", "Storno", "Ne" under some). All answers share one role and
// this style keeps them in the order they were added.
class ButtonsInOrderStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_DialogButtonLayout) {
            return QDialogButtonBox::WinLayout;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The button Escape and the window's close button answer with.
int EscapeAnswer(int buttons, int preferred) {
    if (buttons & mbCancel) {
        return mbCancel;
    }
    if (buttons & mbNo) {
        return mbNo;
    }
    if (buttons & mbAbort) {
        return mbAbort;
    }
    return preferred;
}

// Keys typed and clicks made before a box appears were meant for the form
// behind it: they are dropped while the box is being made, so they neither
// press the box's button nor land in the next field after it.
class UserInputDropper : public QObject {
  public:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
                return true;
            default:
                return false;
        }
    }
};

void DropInputTypedAhead() {
    UserInputDropper dropper;
    QApplication::instance()->installEventFilter(&dropper);
    QApplication::processEvents();
    QApplication::instance()->removeEventFilter(&dropper);
}

// Room for the whole caption in the box's title bar: a box with a short
// text would otherwise be narrower than its title. The frame's buttons and
// icon take about as much as the margin.
void MakeRoomForCaption(QMessageBox& box) {
    constexpr int kTitleBarMargin = 140;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int width =
        QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarMargin;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

int ShowMessageBox(const MessageRequest& request) {
    QMessageBox box(BoxIcon(request.icon), request.caption, request.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageBox"));
    auto* style = new ButtonsInOrderStyle;
    style->setParent(&box);
    if (auto* buttonBox = box.findChild<QDialogButtonBox*>()) {
        buttonBox->setStyle(style);
    }
    std::vector<std::pair<QAbstractButton*, int>> buttons;
    const int preferred =
        request.defaultButton ? request.defaultButton : FirstButton(request.buttons);
    const int escape = EscapeAnswer(request.buttons, preferred);
    for (const ButtonText& entry : kButtonTexts) {
        if (!(request.buttons & entry.button)) {
            continue;
        }
        QPushButton* pushButton =
            box.addButton(QString::fromUtf8(entry.text), QMessageBox::ActionRole);
        if (entry.button == preferred) {
            box.setDefaultButton(pushButton);
        }
        if (entry.button == escape) {
            box.setEscapeButton(pushButton);
        }
        buttons.emplace_back(pushButton, entry.button);
    }
    MakeRoomForCaption(box);
    DropInputTypedAhead();
    ExecModal(box);
    for (const auto& [pushButton, value] : buttons) {
        if (box.clickedButton() == pushButton) {
            return value;
        }
    }
    return escape;
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

namespace {

bool AskOneLine(const QString& caption, const QString& prompt, QString& value, QWidget* parent,
                QLineEdit::EchoMode echo) {
    if (const InputHandler& handler = Slot<InputHandler>()) {
        return handler(caption, prompt, value);
    }
    bool accepted = false;
    const QString answer = QInputDialog::getText(parent, caption, prompt, echo, value, &accepted);
    if (accepted) {
        value = answer;
    }
    return accepted;
}

}  // namespace

bool InputQuery(const QString& caption, const QString& prompt, QString& value, QWidget* parent) {
    return AskOneLine(caption, prompt, value, parent, QLineEdit::Normal);
}

bool AskPassword(const QString& caption, const QString& prompt, QString& value, QWidget* parent) {
    return AskOneLine(caption, prompt, value, parent, QLineEdit::Password);
}

InputHandler SetInputHandler(InputHandler handler) {
    return Replace(std::move(handler));
}

void InstallWidgetMessageHandler() {
    SetMessageHandler(ShowMessageBox);
}

}  // namespace platform
