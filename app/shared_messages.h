#pragma once
// The two information boxes the event-record forms share.

// "Tento příkaz není zatím funkční", information icon, OK button.
void ShowNotAvailableYet();

// "Příkaz byl vykonán " (with the final blank), information icon, OK button:
// shown after every successful write of an entry form.
void ShowCommandDone();
