// Reads every #include "..." of the given folders and checks each against the allowed edges
// of docs/architecture.md, so a wrong-way include fails even where the compiler would find
// the header (a relative path, a target with a wider include path).
//   include_edges ARCHITECTURE.md ROOT FOLDER...
// Prints one line per refused include and exits 1 when there is any.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// unit -> the units it may include directly, from the fenced block that follows the line
// "<!-- include edges -->".
std::map<std::string, std::vector<std::string>> readEdges(const fs::path& doc)
{
    std::ifstream in(doc);
    std::string line;
    while (std::getline(in, line) && line != "<!-- include edges -->") {
    }
    std::getline(in, line); // the opening fence
    std::map<std::string, std::vector<std::string>> edges;
    const std::regex edge(R"(^(\S+)\s+->(.*)$)");
    while (std::getline(in, line) && !line.starts_with("```")) {
        std::smatch m;
        if (!std::regex_match(line, m, edge))
            continue;
        std::vector<std::string>& to = edges[m[1]];
        std::istringstream names(std::regex_replace(std::string(m[2]), std::regex(","), " "));
        for (std::string name; names >> name;)
            to.push_back(name);
    }
    return edges;
}

std::set<std::string> reachable(const std::map<std::string, std::vector<std::string>>& edges,
                                const std::string& from)
{
    std::set<std::string> seen{from};
    std::vector<std::string> todo{from};
    while (!todo.empty()) {
        const std::string unit = todo.back();
        todo.pop_back();
        if (const auto it = edges.find(unit); it != edges.end())
            for (const std::string& next : it->second)
                if (seen.insert(next).second)
                    todo.push_back(next);
    }
    return seen;
}

// The unit a path (relative to the root, or an include path relative to src/) belongs to:
// the longest unit name it starts with, with "src/" and "tests/" taken off first.
std::string unitOf(std::string path, const std::map<std::string, std::vector<std::string>>& edges)
{
    for (const char* top : {"src/", "tests/"})
        if (path.starts_with(top))
            path = path.substr(std::string(top).size());
    if (path.find('/') == std::string::npos)
        return path == "main.cpp" ? "korvane" : "";
    std::string best;
    for (const auto& [unit, to] : edges)
        if (path.starts_with(unit + "/") && unit.size() > best.size())
            best = unit;
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "usage: include_edges ARCHITECTURE.md ROOT FOLDER...\n";
        return 2;
    }
    const auto edges = readEdges(argv[1]);
    if (edges.empty()) {
        std::cerr << argv[1] << ": no include edges found\n";
        return 2;
    }
    const fs::path root = argv[2];
    const std::regex include(R"re(^\s*#\s*include\s+"([^"]+)")re");
    int refused = 0;
    int checked = 0;
    auto refuse = [&](const std::string& where, const std::string& why) {
        std::cout << where << ": " << why << "\n";
        ++refused;
    };
    for (int a = 3; a < argc; ++a) {
        for (const auto& entry : fs::recursive_directory_iterator(root / argv[a])) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h"))
                continue;
            const std::string file = fs::relative(entry.path(), root).generic_string();
            const std::string from = unitOf(file, edges);
            if (from.empty() || !edges.contains(from)) {
                refuse(file, "in no unit of the include edges");
                continue;
            }
            const std::set<std::string> allowed = reachable(edges, from);
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                std::smatch m;
                if (!std::regex_search(line, m, include))
                    continue;
                ++checked;
                const std::string header = m[1];
                const std::string where = file + ":" + std::to_string(number);
                if (header.find("..") != std::string::npos) {
                    refuse(where, "\"" + header + "\" is a relative path; name its folder");
                    continue;
                }
                const std::string to = unitOf(header, edges);
                if (to.empty()) {
                    // A header of the file's own folder (a tool's private headers).
                    if (!fs::exists(entry.path().parent_path() / header))
                        refuse(where, "\"" + header + "\" is in no unit and not beside the file");
                    continue;
                }
                if (header.starts_with(to + "/detail/") && to != from)
                    refuse(where, "\"" + header + "\" is private to " + to);
                else if (!allowed.contains(to))
                    refuse(where, from + " may not include " + to + " (\"" + header + "\")");
            }
        }
    }
    std::cout << checked << " includes checked, " << refused << " refused\n";
    return refused == 0 && checked > 0 ? 0 : 1;
}
