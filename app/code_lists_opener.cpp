#include "app/code_lists_opener.h"

#include <utility>

namespace {

CodeListsOpener& Opener() {
    static CodeListsOpener opener;
    return opener;
}

}  // namespace

void SetCodeListsOpener(CodeListsOpener opener) {
    Opener() = std::move(opener);
}

bool OpenCodeLists(TDM1& dm, QWidget* parent) {
    if (!Opener()) {
        return false;
    }
    Opener()(dm, parent);
    return true;
}
