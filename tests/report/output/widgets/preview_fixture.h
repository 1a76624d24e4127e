#pragma once
// An output of a few pages for the preview tests: page n carries a filled
// red frame at (100, 100) so a drawn page can be told from a blank one.

#include <QRect>
#include <QStringList>
#include <deque>
#include <memory>

#include "platform/widgets/dialogs.h"
#include "report/model/lumex_element.h"
#include "report/output/sestprn.h"
#include "report/output/sestvyst.h"

namespace preview_testing {

struct PagedOutput {
    TSestVystup output;
    std::deque<TLumexReportElement> elements;

    explicit PagedOutput(int pages) {
        PaperSetup() = TPaperSetup();
        for (int i = 0; i < pages; ++i) {
            TLumexReportElement& frame = elements.emplace_back();
            frame.kind = ekFrame;
            frame.width = 200;
            frame.height = 50;
            frame.penWidth = 0;
            frame.fillColor = 0x0000FF;  // red in the template's colour order
            output.AddElement(std::make_unique<TVystPrvek>(&frame, 100, 100, 200, 50), i);
        }
    }
};

// Answers the input box with scripted texts (or cancels on an empty optional)
// and records what it was asked.
class ScriptedInput {
  public:
    ScriptedInput() {
        previous_ = platform::SetInputHandler(
            [this](const QString& caption, const QString& prompt, QString& value) {
                captions.push_back(caption);
                prompts.push_back(prompt);
                defaults.push_back(value);
                if (answers.empty() || answers.front().isNull()) {
                    if (!answers.empty()) {
                        answers.pop_front();
                    }
                    return false;
                }
                value = answers.front();
                answers.pop_front();
                return true;
            });
    }
    ~ScriptedInput() { platform::SetInputHandler(previous_); }
    std::deque<QString> answers;  // a null QString cancels
    QStringList captions, prompts, defaults;

  private:
    platform::InputHandler previous_;
};

}  // namespace preview_testing
