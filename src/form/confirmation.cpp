#include "form/confirmation.h"

#include "form/form1.h"

namespace korvane {

void RecordAnswer(Form1& f, int answer)
{
    f.MsgAnswer = answer;
    if (answer == kAnswerCancel)
        f.ConfirmDecision = kDecisionCancel;
    else if (answer == kAnswerNo)
        f.ConfirmDecision = kDecisionNo;
    else if (answer == kAnswerYes)
        f.ConfirmDecision = kDecisionYes;
}

} // namespace korvane
