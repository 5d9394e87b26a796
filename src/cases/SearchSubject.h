#pragma once
// What the search looks in: the seven subjects in the order of the window's option group (the
// option's number is its position), and the three scopes the frame's menu opens it with.

#include <QString>

#include <optional>
#include <span>

namespace vellum {

// The scope as the frame passes it: "1" current cases, "2" the knowledge base, "0" both.
enum class SearchScope { Both, Cases, Archive };

struct SearchSubject {
    int number;         // 1 to 7
    QString optionText; // the option's caption
    QString name;       // in the result window's title; none for the case number
    int caseField;      // the field searched in the case file
    int archiveField;   // the same in the knowledge base
    bool byKey;         // the case number: fetched by its key, no list of hits
};

namespace SearchSubjects {

inline constexpr int CaseNumber = 1;
inline constexpr int ProductId = 4;
inline constexpr int Product = 5;
inline constexpr int Problem = 6;

std::span<const SearchSubject> all();
// The subject with this number; nullopt outside 1 to 7.
std::optional<SearchSubject> byNumber(int number);

} // namespace SearchSubjects

// "0", "1" or "2"; any other text is both files.
SearchScope searchScopeOf(const QString &text);

} // namespace vellum
