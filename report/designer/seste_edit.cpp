// Editing commands of the designer: clipboard, delete, align to the grid,
// references by name, front and back, keyboard moves, details.

#include <QAction>
#include <QKeyEvent>

#include "platform/messages.h"
#include "platform/widgets/dialogs.h"
#include "report/designer/design_properties.h"
#include "report/designer/sestdb.h"
#include "report/designer/seste.h"
#include "report/engine/sestavy.h"

// ---- clipboard -------------------------------------------------------------------------------

void TFormSestE::Copy() {
    if (!focused_) {
        return;
    }
    TOddil* band = focused_->Band();
    TDesignerClipboard clip;
    clip.left = focused_->Element().left;
    clip.top = focused_->Element().top;
    for (TSesPrvek* element : band->Elements()) {
        if (element == focused_ || element->Marked()) {
            if (element == focused_) {
                clip.focusedLine = int(clip.elements.size());
            }
            clip.elements.append(element->Element().FormatElement(QStringLiteral("X")));
        }
    }
    lastCopy_ = clip;
    hasLastCopy_ = true;
    WriteClipboardText(FormatDesignerClipboard(clip));
    Action(QStringLiteral("ActionPaste"))->setEnabled(true);
}

void TFormSestE::Cut() {
    if (!focused_) {
        return;
    }
    Copy();
    TOddil* band = focused_->Band();
    const std::vector<TSesPrvek*> elements = band->Elements();
    for (TSesPrvek* element : elements) {
        if (element == focused_ || element->Marked()) {
            RemoveDesignElement(element);
        }
    }
    ClearSelection();
    RecordStep(dsCut);
}

void TFormSestE::StartPaste() {
    SelectTool();
    ClearSelection();
    pasteMode_ = !pasteMode_;
    const QCursor cursor = pasteMode_ ? QCursor(Qt::DragCopyCursor) : QCursor(Qt::ArrowCursor);
    for (TOddil* band : paper_->Bands()) {
        band->setCursor(cursor);
    }
}

void TFormSestE::PasteAt(TOddil* band, int x, int y) {
    TDesignerClipboard clip;
    if (!ParseDesignerClipboard(ReadClipboardText(), clip)) {
        clip = hasLastCopy_ ? lastCopy_ : TDesignerClipboard();
    }
    pasteMode_ = false;
    for (TOddil* b : paper_->Bands()) {
        b->setCursor(Qt::ArrowCursor);
    }
    ClearSelection();
    std::vector<TSesPrvek*> pasted;
    TSesPrvek* focus = nullptr;
    for (int i = 0; i < clip.elements.size(); ++i) {
        TSesPrvek* element = CreateElement(band, clip.elements[i], x - clip.left, y - clip.top);
        if (!element) {
            continue;
        }
        pasted.push_back(element);
        if (i == clip.focusedLine) {
            focus = element;
        }
    }
    if (!focus && !pasted.empty()) {
        focus = pasted.front();
    }
    if (focus) {
        FocusElement(focus);
        if (pasted.size() > 1) {
            for (TSesPrvek* element : pasted) {
                MarkElement(element);
            }
        }
    }
    RecordStep(dsPaste);
}

// ---- delete ----------------------------------------------------------------------------------

void TFormSestE::DeleteSelected() {
    if (!focused_) {
        return;
    }
    const bool several = selectedCount_ > 1;
    bool confirmed = true;
    if (several && settings_.mazaniVice) {
        confirmed =
            platform::ShowMessage(QStringLiteral("Smazat všechny vybrané prvky?"),
                                  QStringLiteral("Potvrzení"), platform::MessageIcon::Question,
                                  platform::mbYes | platform::mbNo) == platform::mbYes;
    } else if (!several && settings_.mazaniJedne) {
        confirmed =
            platform::ShowMessage(QStringLiteral("Smazat vybraný prvek?"),
                                  QStringLiteral("Potvrzení"), platform::MessageIcon::Question,
                                  platform::mbYes | platform::mbNo) == platform::mbYes;
    }
    if (confirmed) {
        const std::vector<TSesPrvek*> doomed =
            several ? SelectedElements() : std::vector<TSesPrvek*>{focused_};
        for (TSesPrvek* element : doomed) {
            RemoveDesignElement(element);
        }
        ClearSelection();
    }
    RecordStep(dsDelete);
}

// ---- grid, names, order ------------------------------------------------------------------------

void TFormSestE::AlignSelectedToGrid() {
    for (TSesPrvek* element : SelectedElements()) {
        element->SetBox(AlignToGrid(element->Box(), stepX_, stepY_));
    }
    properties_->ShowElement(focused_);
    RecordStep(dsMove);
}

void TFormSestE::AlignAllToGrid() {
    for (TSesPrvek* element : paper_->AllElements()) {
        element->SetBox(AlignToGrid(element->Box(), stepX_, stepY_));
    }
    properties_->ShowElement(focused_);
    RecordStep(dsMove);
}

void TFormSestE::RedirectByName() {
    const TListFunkci& functions = report_->Funkce();
    bool unique = true;
    for (int i = 0; i < functions.Count() && unique; ++i) {
        for (int j = i + 1; j < functions.Count(); ++j) {
            if (functions[i].name.compare(functions[j].name, Qt::CaseInsensitive) == 0) {
                unique = false;
                break;
            }
        }
    }
    if (!unique) {
        platform::ShowMessage(QStringLiteral("Pojmenování funkcí není jednoznačné."),
                              QStringLiteral("Varování"), platform::MessageIcon::Warning);
    }
    for (TSesPrvek* design : paper_->AllElements()) {
        TLumexReportElement& e = design->Element();
        // A reference the report lacks keeps its own name, never the first field's.
        if (!e.missingSource.isEmpty()) {
            continue;
        }
        if ((e.kind == ekField || e.kind == ekFieldLabel) && e.source >= 0 &&
            e.source < report_->FieldCount()) {
            e.sourceName = report_->FieldName(e.source).left(kMaxSourceNameLength);
            e.text = e.sourceName;
        } else if (unique && e.kind == ekFunction && e.source >= 0 &&
                   e.source < functions.Count()) {
            e.sourceName = functions[e.source].name.left(kMaxSourceNameLength);
            e.text = e.sourceName;
        }
    }
    RecordStep(dsElement);
}

void TFormSestE::BringToFront() {
    if (focused_) {
        focused_->Band()->BringToFront(focused_);
        RefreshTree();
    }
}

void TFormSestE::SendToBack() {
    if (focused_) {
        focused_->Band()->SendToBack(focused_);
        RefreshTree();
    }
}

// ---- keyboard --------------------------------------------------------------------------------

void TFormSestE::KeyboardStep(int key, Qt::KeyboardModifiers mods) {
    const std::vector<TSesPrvek*> selected = SelectedElements();
    if (selected.empty()) {
        return;
    }
    const int dirX = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
    const int dirY = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const TKeyMove how = ctrl && shift ? TKeyMove::GridStep
                         : ctrl        ? TKeyMove::Hundredth
                                       : TKeyMove::Resize;
    for (TSesPrvek* element : selected) {
        element->SetBox(KeyboardMove(element->Box(), how, dirX, dirY, stepX_, stepY_,
                                     LimitsOf(element->Band())));
    }
    properties_->ShowElement(focused_);
    RecordStep(dsMove);
}

// ---- details ---------------------------------------------------------------------------------

void TFormSestE::OpenDetail(TSesPrvek* element) {
    const int index = element->Element().source;
    if (index < 0 || index >= report_->Detaily().Count()) {
        platform::ShowMessage(QStringLiteral("Detail %1 této sestavy neexistuje.").arg(index + 1),
                              QStringLiteral("Chyba"), platform::MessageIcon::Error);
        return;
    }
    auto* detail = dynamic_cast<TSestavaTyp*>(report_->Detaily()[index]);
    if (!detail) {
        return;
    }
    // The detail's layout lives in the detail report; write ours first so
    // that its lines are current, and take its new lines back afterwards.
    history_.CurrentTemplate() = WriteState();
    {
        TFormSestE window(this);
        window.masterDesigner_ = this;
        window.OpenReport(*detail, true);
        window.setWindowState(Qt::WindowMaximized);
        platform::ExecModal(window);
        // Closing the window leaves the detail with the lines of its last state.
    }
    RecordStep(dsDetail);
}
