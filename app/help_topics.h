#pragma once
// Help requests: a topic opens its page of the help folder ("<topic>.html")
// in the program's help window, a topic without a page opens the contents.

// Answers whether a page was shown (false when the help folder is empty).
bool ShowHelpTopic(int topic);
