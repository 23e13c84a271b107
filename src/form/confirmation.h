// The answer of a confirmation box and the decision the operations read from it.
#pragma once

namespace korvane {

class Form1;

inline constexpr int kDecisionCancel = 1;
inline constexpr int kDecisionNo = 2;
inline constexpr int kDecisionYes = 3;

// Stores the raw answer in MsgAnswer and translates it into ConfirmDecision: Cancel 1,
// No 2, Yes 3; any other answer leaves the decision as it was.
void RecordAnswer(Form1& f, int answer);

} // namespace korvane
