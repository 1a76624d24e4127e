#pragma once
// Help requests. No help system is built: a topic opens the page
// "<topic>.html" of the help folder in the desktop's browser when that page
// exists, and nothing otherwise.

// Answers whether a page was opened.
bool ShowHelpTopic(int topic);
