#include "core/tables/formula/StructureStepReplay.h"

#include <algorithm>
#include <climits>
#include <map>
#include <string_view>

#include "core/tables/formula/ReferenceTokens.h"
#include "core/tables/formula/ShiftReferences.h"

// How it works. Every reference token, and every row or column argument of the
// macro commands, moves on its own: what a change does to it depends only on
// where it is and on its kind. Tokens that stand at the same place with the
// same kind therefore share their fate; they are kept in groups attached to a
// place of the axis (a row or column of the table, or a distance beyond its
// end, which no change can reach). An insertion or deletion then moves whole
// groups: the places of the table shift by one, the groups at a deleted place
// die, stay where they are or go one back, all at once. The few events that
// change a token's kind or stop its movement (a range end whose neighbour
// vanished, a row number grown to ten digits) are handled token by token.

namespace phonotab {

namespace {

using namespace reftoken;

// Row index whose number "1000000000" has ten digits: a token that reaches it
// is no longer read as a row and never changes again.
constexpr int TenDigitRow = 999'999'999;

// What a change does to a token at the deleted place, and beyond "ZZ".
enum Kind {
    Mortal,        // a lone reference or a show/hide argument: lost
    KeptAtDelete,  // the first end of a range: stays, lost beyond "ZZ"
    SecondEnd,     // the second end of a range: one back, lost before the first or beyond "ZZ"
    Kept,          // an argument of INSCP, DELCP, SCOPY: stays, also at "ZZ"
    KindCount
};

enum class Role { Fixed, Reference, ShowHideArgument, CopyArgument };

struct Token {
    std::size_t begin = 0, end = 0;  // in the original text
    Role role = Role::Fixed;
    int axis = 0;                    // of an argument: 0 columns, 1 rows
    int start[2] = {0, 0};           // column and row (a reference), [axis] (an argument)
    bool columnFixed = false, rowFixed = false;
    bool firstEnd = false, secondEnd = false;
    bool colonBefore = false;        // a ":" since the previous token still in the text
    bool signFollows = false;        // ":" right before and "+" or "-" right after
    int member[2] = {-1, -1};        // its membership on each axis
    bool lost = false;               // "?" or dropped
    bool settled = false;            // no longer changes: written as settledTexts_[settledText]
    int settledText = -1;
    int previous = -1, next = -1;    // neighbours still in the text
    int text = 0;
};

// The places of one axis and the groups of tokens attached to them.
class AxisPlaces {
public:
    explicit AxisPlaces(int count) : count_(count) {
        for (int i = 0; i < count; ++i) order_.push_back(newPlace(-1));
    }

    int minInsert = INT_MAX, minDelete = INT_MAX;

    // The place at a position, created beyond the end when needed.
    int placeAt(int position) {
        if (position < count_) return order_[static_cast<std::size_t>(position)];
        auto [it, added] = beyond_.try_emplace(position - count_, -1);
        if (added) it->second = newPlace(position - count_);
        return it->second;
    }
    int existingPlaceAt(int position) const {
        if (position < count_) return order_[static_cast<std::size_t>(position)];
        auto it = beyond_.find(position - count_);
        return it == beyond_.end() ? -1 : it->second;
    }
    void insertPlace(int at) {
        order_.insert(order_.begin() + at, newPlace(-1));
        ++count_;
    }
    // Removes the place at a position (its groups stay with it) and returns it.
    int erasePlace(int at) {
        const int place = order_[static_cast<std::size_t>(at)];
        order_.erase(order_.begin() + at);
        --count_;
        return place;
    }

    // The group of a kind at a place, detached from it (-1 when none).
    int take(int place, Kind kind) {
        int& slot = places_[static_cast<std::size_t>(place)].groups[kind];
        const int group = slot;
        slot = -1;
        return group;
    }
    // Attaches a detached group; it joins a group of the same kind already there.
    void put(int group, int place, Kind kind) {
        int& slot = places_[static_cast<std::size_t>(place)].groups[kind];
        if (slot < 0) {
            slot = group;
            groups_[static_cast<std::size_t>(group)].place = place;
            return;
        }
        Group& into = groups_[static_cast<std::size_t>(slot)];
        Group& from = groups_[static_cast<std::size_t>(group)];
        from.parent = slot;
        if (from.head < 0) return;
        if (into.head < 0)
            into.head = from.head;
        else
            members_[static_cast<std::size_t>(into.tail)].next = from.head;
        into.tail = from.tail;
    }
    int addMember(int token, int place, Kind kind) {
        int& slot = places_[static_cast<std::size_t>(place)].groups[kind];
        if (slot < 0) {
            slot = static_cast<int>(groups_.size());
            groups_.push_back(Group{slot, -1, -1, place});
        }
        const int member = static_cast<int>(members_.size());
        members_.push_back(Member{token, slot, -1});
        Group& g = groups_[static_cast<std::size_t>(slot)];
        if (g.head < 0)
            g.head = member;
        else
            members_[static_cast<std::size_t>(g.tail)].next = member;
        g.tail = member;
        return member;
    }

    // The tokens that joined a detached group, in turn.
    template <typename F>
    void forEachMember(int group, F&& f) const {
        for (int m = groups_[static_cast<std::size_t>(group)].head; m >= 0; m = members_[static_cast<std::size_t>(m)].next)
            f(m, members_[static_cast<std::size_t>(m)].token);
    }

    int placeOfMember(int member) { return groups_[static_cast<std::size_t>(root(members_[static_cast<std::size_t>(member)].group))].place; }
    int positionOfPlace(int place) const {
        const int offset = places_[static_cast<std::size_t>(place)].beyondOffset;
        if (offset >= 0) return count_ + offset;
        return static_cast<int>(std::find(order_.begin(), order_.end(), place) - order_.begin());
    }
    // Positions of all places at once, for the final writing.
    std::vector<int> positionsOfPlaces() const {
        std::vector<int> out(places_.size(), -1);
        for (std::size_t i = 0; i < order_.size(); ++i) out[static_cast<std::size_t>(order_[i])] = static_cast<int>(i);
        for (const auto& [offset, place] : beyond_) out[static_cast<std::size_t>(place)] = count_ + offset;
        return out;
    }

private:
    struct Place {
        int groups[KindCount] = {-1, -1, -1, -1};
        int beyondOffset = -1;  // distance beyond the end; -1 inside the table
    };
    struct Group {
        int parent;
        int head, tail;  // its members, including those of groups that joined it
        int place;       // of a root
    };
    struct Member {
        int token;
        int group;
        int next;
    };

    int newPlace(int beyondOffset) {
        places_.push_back(Place{{-1, -1, -1, -1}, beyondOffset});
        return static_cast<int>(places_.size()) - 1;
    }
    int root(int g) {
        int r = g;
        while (groups_[static_cast<std::size_t>(r)].parent != r) r = groups_[static_cast<std::size_t>(r)].parent;
        while (groups_[static_cast<std::size_t>(g)].parent != r) {
            const int up = groups_[static_cast<std::size_t>(g)].parent;
            groups_[static_cast<std::size_t>(g)].parent = r;
            g = up;
        }
        return r;
    }

    int count_;
    std::vector<int> order_;      // places of the table's rows or columns, in order
    std::map<int, int> beyond_;   // distance beyond the end -> place
    std::vector<Place> places_;
    std::vector<Group> groups_;
    std::vector<Member> members_;
};

std::string spellReference(const Token& t, int column, int row) {
    std::string s;
    if (t.columnFixed) s.push_back('$');
    s += columnLetters(column);
    if (t.rowFixed) s.push_back('$');
    s += std::to_string(row + 1);
    return s;
}

class Replay {
public:
    Replay(int rows, int columns) : axes_{AxisPlaces(columns), AxisPlaces(rows)} {}

    // Room for the texts to read, with a guess of one token in four characters.
    void reserve(std::size_t texts, std::size_t characters) {
        texts_.reserve(texts);
        originals_.reserve(texts);
        firstTokenOfText_.reserve(texts + 1);
        tokens_.reserve(characters / 4);
    }
    // Takes the text over until write() puts its new version back.
    void read(std::string& text);
    void run(const std::vector<StructureStep>& steps);
    void write();

private:
    Kind kindOf(const Token& t) const {
        if (t.role == Role::CopyArgument) return Kept;
        if (t.role == Role::ShowHideArgument) return Mortal;
        if (t.secondEnd) return SecondEnd;
        return t.firstEnd ? KeptAtDelete : Mortal;
    }
    bool current(int a, int member, const Token& t) const { return t.member[a] == member && !t.lost && !t.settled; }

    void insert(int a, int at);
    void erase(int a, int at);
    void loseGroup(int a, int group);
    void settleGroupAtTenDigits(int group);
    void afterStep();
    void becomeSecondEnd(Token& t, int index);
    int position(int a, const Token& t) {
        return axes_[a].positionOfPlace(axes_[a].placeOfMember(t.member[a]));
    }
    bool unmoved(int a, int start, int now) const {
        return now == start && axes_[a].minInsert > start && axes_[a].minDelete >= start;
    }
    std::string spell(const Token& t, std::string_view original, int column, int row) const;
    void settle(Token& t, std::string text) {
        t.settledText = static_cast<int>(settledTexts_.size());
        settledTexts_.push_back(std::move(text));
        t.settled = true;
    }

    AxisPlaces axes_[2];
    std::vector<Token> tokens_;
    std::vector<std::string*> texts_;
    std::vector<std::string> originals_;
    std::vector<int> firstTokenOfText_;  // a text's tokens are numbered one after another
    std::vector<std::string> settledTexts_;
    std::vector<int> lostInStep_;
};

void Replay::read(std::string& text) {
    if (isReferenceBookFormula(text)) return;
    const int textIndex = static_cast<int>(texts_.size());
    texts_.push_back(&text);
    originals_.push_back(std::move(text));
    firstTokenOfText_.push_back(static_cast<int>(tokens_.size()));
    const std::string& original = originals_.back();
    int previousId = -1;

    enum class Mode { References, ShowHideArguments, CopyArguments } mode = Mode::References;
    bool nextIsSecondEnd = false;
    const std::size_t n = original.size();
    std::size_t i = 0;
    while (i < n) {
        const char ch = original[i];
        if (ch == '{') {
            const std::size_t close = original.find('}', i);
            i = close == std::string::npos ? n : close + 1;
            continue;
        }
        const bool signAfterColon = (ch == '+' || ch == '-') && i > 0 && original[i - 1] == ':';
        if (!isTokenChar(ch) && !signAfterColon) {
            if (ch == ';') mode = Mode::References;
            if (ch == ':') nextIsSecondEnd = true;
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        while (j < n && isTokenChar(original[j])) ++j;
        const std::string_view token(original.data() + i, j - i);
        Token t;
        t.text = textIndex;
        t.begin = i;
        t.end = j;
        t.colonBefore = nextIsSecondEnd;
        t.secondEnd = nextIsSecondEnd;
        t.firstEnd = j < n && original[j] == ':';
        t.signFollows = i > 0 && original[i - 1] == ':' && j < n && (original[j] == '+' || original[j] == '-');
        const bool afterHash = i > 0 && original[i - 1] == '#';
        nextIsSecondEnd = false;
        i = j;

        if (token == "RSHOW" || token == "RHIDE") {
            mode = Mode::ShowHideArguments;
        } else if (token == "INSCP" || token == "DELCP" || token == "SCOPY") {
            mode = Mode::CopyArguments;
        } else if (afterHash) {
        } else if (mode != Mode::References) {
            int number = 0;
            if (token[0] == '+' || token[0] == '-') {
            } else if (parseSmallNumber(token, number)) {
                if (number >= 1) {
                    t.axis = 1;
                    t.start[1] = number - 1;
                    t.role = mode == Mode::CopyArguments ? Role::CopyArgument : Role::ShowHideArgument;
                }
            } else if (allLetters(token)) {
                t.axis = 0;
                t.start[0] = lettersToColumn(token);
                t.role = mode == Mode::CopyArguments ? Role::CopyArgument : Role::ShowHideArgument;
            }
        } else {
            ParsedReference ref;
            if (parseReference(token, ref) && ref.row >= 0) {
                t.role = Role::Reference;
                t.start[0] = ref.column;
                t.start[1] = ref.row;
                t.columnFixed = ref.columnFixed;
                t.rowFixed = ref.rowFixed;
            }
        }

        const int id = static_cast<int>(tokens_.size());
        if (previousId >= 0) {
            t.previous = previousId;
            tokens_[static_cast<std::size_t>(previousId)].next = id;
        }
        const Kind kind = kindOf(t);
        for (int a = 0; a < 2; ++a) {
            const bool moves = t.role == Role::Reference || (t.role != Role::Fixed && t.axis == a);
            if (moves) t.member[a] = axes_[a].addMember(id, axes_[a].placeAt(t.start[a]), kind);
        }
        tokens_.push_back(t);
        previousId = id;
    }
}

void Replay::loseGroup(int a, int group) {
    if (group < 0) return;
    axes_[a].forEachMember(group, [&](int member, int id) {
        Token& t = tokens_[static_cast<std::size_t>(id)];
        if (!current(a, member, t)) return;
        t.lost = true;
        lostInStep_.push_back(id);
    });
}

// A row pushed to "1000000000" is written once more and then stays as it is.
void Replay::settleGroupAtTenDigits(int group) {
    if (group < 0) return;
    axes_[1].forEachMember(group, [&](int member, int id) {
        Token& t = tokens_[static_cast<std::size_t>(id)];
        if (!current(1, member, t)) return;
        settle(t, t.role == Role::Reference ? spellReference(t, position(0, t), TenDigitRow)
                                            : std::to_string(TenDigitRow + 1));
    });
}

void Replay::insert(int a, int at) {
    AxisPlaces& x = axes_[a];
    x.minInsert = std::min(x.minInsert, at);
    int keptAtLastColumn = -1;
    if (a == 0 && at <= MaxReferenceColumn) {
        // The column at "ZZ" moves beyond what can be written.
        if (const int place = x.existingPlaceAt(MaxReferenceColumn); place >= 0) {
            loseGroup(a, x.take(place, Mortal));
            loseGroup(a, x.take(place, KeptAtDelete));
            loseGroup(a, x.take(place, SecondEnd));
            keptAtLastColumn = x.take(place, Kept);
        }
    }
    if (a == 1) {
        if (const int place = x.existingPlaceAt(TenDigitRow - 1); place >= 0)
            for (int k = 0; k < KindCount; ++k) settleGroupAtTenDigits(x.take(place, static_cast<Kind>(k)));
    }
    x.insertPlace(at);
    if (keptAtLastColumn >= 0) x.put(keptAtLastColumn, x.placeAt(MaxReferenceColumn), Kept);
}

void Replay::erase(int a, int at) {
    AxisPlaces& x = axes_[a];
    x.minDelete = std::min(x.minDelete, at);
    const int place = x.erasePlace(at);
    loseGroup(a, x.take(place, Mortal));
    if (const int g = x.take(place, SecondEnd); g >= 0) {
        if (at > 0)
            x.put(g, x.placeAt(at - 1), SecondEnd);
        else
            loseGroup(a, g);
    }
    for (Kind k : {KeptAtDelete, Kept})
        if (const int g = x.take(place, k); g >= 0) x.put(g, x.placeAt(at), k);
}

void Replay::becomeSecondEnd(Token& t, int id) {
    t.secondEnd = true;
    for (int a = 0; a < 2; ++a) t.member[a] = axes_[a].addMember(id, axes_[a].placeOfMember(t.member[a]), SecondEnd);
}

// Tokens that left the text in this step: the scan of the next step passes a
// ":" before them on to the next token, which may become a range's second end;
// a dropped argument between ":" and a sign turns the sign into a token.
void Replay::afterStep() {
    std::vector<int> candidates;
    for (int id : lostInStep_) {
        Token& t = tokens_[static_cast<std::size_t>(id)];
        const bool dropped = t.role == Role::ShowHideArgument;
        const bool signBecomesToken = dropped && t.signFollows;
        if (t.previous >= 0) tokens_[static_cast<std::size_t>(t.previous)].next = t.next;
        if (t.next < 0) continue;
        Token& next = tokens_[static_cast<std::size_t>(t.next)];
        next.previous = t.previous;
        if (signBecomesToken) {
            if (next.begin == t.end + 1 && !next.lost && !next.settled) {
                // The sign and the token after it are read as one token from now on.
                const std::string_view was =
                    std::string_view(originals_[static_cast<std::size_t>(next.text)]).substr(next.begin, next.end - next.begin);
                if (next.role == Role::Fixed) {
                    settle(next, std::string(was));
                } else {
                    const int column = next.member[0] >= 0 ? position(0, next) : 0;
                    const int row = next.member[1] >= 0 ? position(1, next) : 0;
                    settle(next, spell(next, was, column, row));
                }
            }
            continue;
        }
        if (t.colonBefore) next.colonBefore = true;
        candidates.push_back(t.next);
    }
    lostInStep_.clear();
    for (int id : candidates) {
        Token& t = tokens_[static_cast<std::size_t>(id)];
        if (t.role == Role::Reference && !t.lost && !t.settled && !t.secondEnd && t.colonBefore) becomeSecondEnd(t, id);
    }
}

void Replay::run(const std::vector<StructureStep>& steps) {
    for (const StructureStep& s : steps) {
        const int a = s.columns ? 0 : 1;
        if (s.delta > 0)
            insert(a, s.index);
        else
            erase(a, s.index);
        afterStep();
    }
}

// A token that still moves, at its positions now: as it was written when it
// never moved, else written anew.
std::string Replay::spell(const Token& t, std::string_view original, int column, int row) const {
    if (t.role == Role::Reference) {
        if (unmoved(0, t.start[0], column) && unmoved(1, t.start[1], row)) return std::string(original);
        return spellReference(t, column, row);
    }
    const int now = t.axis == 0 ? column : row;
    if (unmoved(t.axis, t.start[t.axis], now)) return std::string(original);
    return t.axis == 1 ? std::to_string(now + 1) : columnLetters(now);
}

void Replay::write() {
    const std::vector<int> positions[2] = {axes_[0].positionsOfPlaces(), axes_[1].positionsOfPlaces()};
    firstTokenOfText_.push_back(static_cast<int>(tokens_.size()));
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        const std::string& original = originals_[i];
        std::string out;
        out.reserve(original.size() + 8);
        std::size_t at = 0;
        for (int id = firstTokenOfText_[i]; id < firstTokenOfText_[i + 1]; ++id) {
            const Token& t = tokens_[static_cast<std::size_t>(id)];
            out.append(original, at, t.begin - at);
            at = t.end;
            const std::string_view token = std::string_view(original).substr(t.begin, t.end - t.begin);
            if (t.role == Role::Fixed) {
                out += token;
            } else if (t.lost) {
                if (t.role == Role::Reference) out.push_back('?');
            } else if (t.settled) {
                out += settledTexts_[static_cast<std::size_t>(t.settledText)];
            } else {
                int now[2] = {0, 0};
                for (int a = 0; a < 2; ++a)
                    if (t.member[a] >= 0)
                        now[a] = positions[a][static_cast<std::size_t>(axes_[a].placeOfMember(t.member[a]))];
                out += spell(t, token, now[0], now[1]);
            }
        }
        out.append(original, at, std::string::npos);
        *texts_[i] = std::move(out);
    }
}

}  // namespace

void ReplayStructureSteps(const std::vector<std::string*>& texts, int rows, int columns,
                          const std::vector<StructureStep>& steps) {
    if (steps.empty()) return;
    Replay replay(rows, columns);
    std::size_t characters = 0;
    for (const std::string* text : texts) characters += text->size();
    replay.reserve(texts.size(), characters);
    for (std::string* text : texts) replay.read(*text);
    replay.run(steps);
    replay.write();
}

}  // namespace phonotab
