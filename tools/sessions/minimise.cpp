#include "minimise.h"

namespace korvane::sessions {

std::vector<std::string>
Minimise(std::vector<std::string> lines,
         const std::function<bool(const std::vector<std::string>&)>& stillFails)
{
    for (std::size_t chunk = lines.size() / 2; chunk >= 1; chunk /= 2) {
        std::size_t at = 0;
        while (at < lines.size()) {
            std::vector<std::string> candidate = lines;
            const std::size_t end = std::min(at + chunk, candidate.size());
            candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(at),
                            candidate.begin() + static_cast<std::ptrdiff_t>(end));
            if (stillFails(candidate))
                lines = std::move(candidate); // the next run now starts where this one did
            else
                at = end;
        }
    }
    return lines;
}

} // namespace korvane::sessions
