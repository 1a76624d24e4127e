#include "app/help_topics.h"

#include "app/help_window.h"

bool ShowHelpTopic(int topic) {
    return THelpWindow::Instance().ShowTopic(topic);
}
