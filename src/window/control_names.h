// What assistive technologies call the controls of Form1 whose caption is empty, changes, or is
// a symbol: a list or field by what it holds.
#pragma once

namespace korvane {

class Form1;

// Gives those controls their names and descriptions, in the user's language.
void NameControls(Form1& form);

} // namespace korvane
