#include "form/exit_about.h"

#include "form/form1.h"

namespace korvane {

// Nothing is saved: the working copies on c: stay for the next run.
void Command13_Click(Form1& f)
{
    f.Unload();
}

void Command19_Click(Form1& f)
{
    const std::string prompt = "               Korvane ver" KORVANE_VERSION "\r\n"
                               "Playlists and calls for the Tarvo player\r\n"
                               "Tarvo\r\n"
                               "               Korvane Software Works\r\n"
                               "               https://korvane.example.org";
    f.MsgAnswer = MsgBox(f, prompt, BoxButtons::Ok, BoxIcon::None, "About Quellix");
}

} // namespace korvane
