#include "system/FileNamePattern.h"

namespace {

bool SameLetter(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

} // namespace

bool MatchesFilePattern(const QString& name, const QString& pattern)
{
    // Greedy matching that, on a mismatch, lets the last '*' swallow one more
    // character: linear in practice, never exponential.
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starAt = -1;  // position in pattern just after the last '*'
    qsizetype starName = 0; // where in name that '*' began to match
    while (n < name.size()) {
        if (p < pattern.size() && pattern.at(p) == QLatin1Char('*')) {
            starAt = ++p;
            starName = n;
        } else if (p < pattern.size() &&
                   (pattern.at(p) == QLatin1Char('?') || SameLetter(pattern.at(p), name.at(n)))) {
            ++p;
            ++n;
        } else if (starAt >= 0) {
            p = starAt;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern.at(p) == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}
