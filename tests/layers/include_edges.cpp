// Reads every #include "..." of the given folders and checks each against the allowed edges
// of docs/architecture.md, so a wrong-way include fails even where the compiler would find
// the header (a relative path, a target with a wider include path).
//   include_edges ARCHITECTURE.md ROOT FOLDER...
// Prints one line per refused include and exits 1 when there is any, or nothing was checked.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Edges = std::map<std::string, std::vector<std::string>>;

namespace {

// The header of an #include "..." line; empty for any other line.
std::string includedHeader(const std::string& line)
{
    std::istringstream words(line);
    std::string hash, header;
    if (!(words >> hash) ||
        (hash != "#include" && (hash != "#" || !(words >> hash) || hash != "include")))
        return {};
    words >> std::ws;
    if (words.get() != '"' || !std::getline(words, header, '"'))
        return {};
    return header;
}

// unit -> the units it may include, from the fenced block after "<!-- include edges -->".
Edges readEdges(const fs::path& doc)
{
    std::ifstream in(doc);
    std::string line;
    while (std::getline(in, line) && line != "<!-- include edges -->") {
    }
    std::getline(in, line); // the opening fence
    Edges edges;
    while (std::getline(in, line) && !line.starts_with("```")) {
        std::replace_if(
            line.begin(), line.end(), [](char c) { return c == ',' || c == '>' || c == '-'; }, ' ');
        std::istringstream words(line);
        std::string from, to;
        if (words >> from)
            for (edges.try_emplace(from); words >> to;)
                edges[from].push_back(to);
    }
    return edges;
}

std::set<std::string> reachable(const Edges& edges, const std::string& from)
{
    std::set<std::string> seen{from};
    std::vector<std::string> todo{from};
    while (!todo.empty()) {
        const auto it = edges.find(todo.back());
        todo.pop_back();
        for (const std::string& next : it == edges.end() ? std::vector<std::string>{} : it->second)
            if (seen.insert(next).second)
                todo.push_back(next);
    }
    return seen;
}

// The unit of a file (relative to the root) or of an include (relative to src/): the longest
// unit name it starts with, once "src/" or "tests/" is taken off.
std::string unitOf(std::string path, const Edges& edges)
{
    for (const std::string top : {"src/", "tests/"})
        if (path.starts_with(top))
            path.erase(0, top.size());
    if (path == "main.cpp")
        return "korvane";
    std::string best;
    for (const auto& [unit, to] : edges)
        if (path.starts_with(unit + "/") && unit.size() > best.size())
            best = unit;
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    const Edges edges = argc > 3 ? readEdges(argv[1]) : Edges{};
    if (edges.empty()) {
        std::cerr << "usage: include_edges ARCHITECTURE.md ROOT FOLDER... (with include edges)\n";
        return 2;
    }
    int refused = 0;
    int checked = 0;
    auto refuse = [&](const std::string& where, const std::string& why) {
        std::cout << where << why << "\n";
        ++refused;
    };
    for (int a = 3; a < argc; ++a) {
        for (const auto& entry : fs::recursive_directory_iterator(fs::path(argv[2]) / argv[a])) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h"))
                continue;
            const std::string file = fs::relative(entry.path(), argv[2]).generic_string();
            const std::string from = unitOf(file, edges);
            const std::set<std::string> allowed = reachable(edges, from);
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                const std::string header = includedHeader(line);
                if (header.empty())
                    continue;
                ++checked;
                const std::string to = unitOf(header, edges);
                const std::string where = file + ":" + std::to_string(number) + ": \"" + header;
                if (from.empty())
                    refuse(where, "\": the file is in no unit of the include edges");
                else if (header.find("..") != std::string::npos)
                    refuse(where, "\" is a relative path; name its folder");
                else if (to.empty() && !fs::exists(entry.path().parent_path() / header))
                    refuse(where, "\" is in no unit and not beside the file");
                else if (!to.empty() && header.starts_with(to + "/detail/") && to != from)
                    refuse(where, "\" is private to " + to);
                else if (!to.empty() && !allowed.contains(to))
                    refuse(where, "\": " + from + " may not include " + to);
            }
        }
    }
    std::cout << checked << " includes checked, " << refused << " refused\n";
    return refused == 0 && checked > 0 ? 0 : 1;
}
