#include "platform/DocxDocument.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "base/CFormat.h"
#include "base/TextCodec.h"
#include "platform/AtomicFile.h"
#include "platform/PictureInfo.h"
#include "platform/ZipPackage.h"

namespace phonotab {

namespace {

constexpr const char* kMainNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char* kOfficeDocumentType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
constexpr const char* kImageType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
constexpr const char* kRelationshipsNamespace = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kContentTypesNamespace = "http://schemas.openxmlformats.org/package/2006/content-types";
// Whitespace that is all of an element's text (a run's single space) is text;
// whitespace between elements is layout and is dropped.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single;
constexpr long long kEmuPerTwip = 635;
constexpr long long kEmuPerInch = 914400;

// The element names of the main namespace under the document's own prefix.
struct Names {
    explicit Names(const std::string& prefix)
        : p(prefix + "p"), r(prefix + "r"), t(prefix + "t"), pPr(prefix + "pPr"), rPr(prefix + "rPr"),
          sectPr(prefix + "sectPr"), tab(prefix + "tab"), br(prefix + "br"), cr(prefix + "cr"),
          hyperlink(prefix + "hyperlink"), smartTag(prefix + "smartTag"), ins(prefix + "ins"),
          customXml(prefix + "customXml"), fldSimple(prefix + "fldSimple"), sdt(prefix + "sdt"),
          sdtContent(prefix + "sdtContent"), tc(prefix + "tc"), body(prefix + "body"), prefix(prefix) {}
    std::string p, r, t, pPr, rPr, sectPr, tab, br, cr, hyperlink, smartTag, ins, customXml, fldSimple, sdt,
        sdtContent, tc, body, prefix;
    std::string w(const char* local) const { return prefix + local; }
};

// Valid UTF-8 without the control characters that XML does not allow.
std::string cleanText(std::string_view text) {
    std::string out = isValidUtf8(text) ? std::string(text) : utf16ToUtf8(utf8ToUtf16(text));
    std::erase_if(out, [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c < 0x20 && c != '\t' && c != '\n' && c != '\r';
    });
    return out;
}

// "\r\n", "\n" and "\r" each end a line.
std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(ch);
        }
    }
    return lines;
}

void setText(pugi::xml_node t, const std::string& text) {
    t.text().set(text.c_str());
    if (!t.attribute("xml:space")) t.append_attribute("xml:space") = "preserve";
}

std::string hex6(std::uint32_t rgb) { return cformat("%06X", rgb & 0xFFFFFFu); }

bool endsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

}  // namespace

struct DocxDocument::Impl {
    std::vector<ZipPart> parts;
    std::size_t documentIndex = 0;
    std::string documentPath;  // "word/document.xml"
    std::string relsPath;      // "word/_rels/document.xml.rels"
    pugi::xml_document document, rels, contentTypes;
    Names names{"w:"};
    std::map<std::string, std::vector<pugi::xml_node>> anchors;  // marked runs per placeholder
    unsigned nextDrawingId = 1;
    unsigned nextPicture = 1;
    long long maxWidthEmu = 0, maxHeightEmu = 0;  // the page's text area; 0 when not told

    ZipPart* part(const std::string& name) {
        for (ZipPart& p : parts)
            if (p.name == name) return &p;
        return nullptr;
    }

    // --- finding placeholders ---------------------------------------------

    struct Piece {
        pugi::xml_node t;
        std::size_t start;  // offset of the node's text in the paragraph's text
        std::size_t size;
    };

    bool isRunContainer(const std::string& n) const {
        return n == names.hyperlink || n == names.smartTag || n == names.ins || n == names.customXml ||
               n == names.fldSimple || n == names.sdt || n == names.sdtContent;
    }

    // The paragraph's visible text as the runs hold it; tabs, breaks and
    // anything else inside a run stand as characters no placeholder holds.
    void collectText(pugi::xml_node container, std::string& text, std::vector<Piece>& pieces) const {
        for (pugi::xml_node child = container.first_child(); child; child = child.next_sibling()) {
            const std::string name = child.name();
            if (name == names.r) {
                for (pugi::xml_node rc = child.first_child(); rc; rc = rc.next_sibling()) {
                    const std::string rn = rc.name();
                    if (rn == names.t) {
                        const std::string_view v = rc.text().get();
                        pieces.push_back({rc, text.size(), v.size()});
                        text += v;
                    } else if (rn == names.rPr) {
                    } else if (rn == names.tab) {
                        text += '\t';
                    } else if (rn == names.br || rn == names.cr) {
                        text += '\n';
                    } else {
                        text += '\x01';
                    }
                }
            } else if (isRunContainer(name)) {
                collectText(child, text, pieces);
            }
        }
    }

    // Splits the run of a text node at a byte offset of its text: the run keeps
    // what comes before, a new run right after it (same character format) takes
    // the rest and everything that followed the text node in the run. Nothing
    // empty is left behind: no new run when nothing follows the offset, and the
    // text node (and its run) go when nothing comes before it.
    pugi::xml_node splitRun(pugi::xml_node t, std::size_t offset) {
        pugi::xml_node run = t.parent();
        const std::string whole = t.text().get();
        pugi::xml_node next;
        if (offset < whole.size() || t.next_sibling()) {
            next = run.parent().insert_child_after(names.r.c_str(), run);
            if (pugi::xml_node rPr = run.child(names.rPr.c_str())) next.append_copy(rPr);
            setText(next.append_child(names.t.c_str()), whole.substr(offset));
            for (pugi::xml_node n = t.next_sibling(); n;) {
                pugi::xml_node after = n.next_sibling();
                next.append_move(n);
                n = after;
            }
        }
        if (offset > 0) {
            setText(t, whole.substr(0, offset));
        } else {
            run.remove_child(t);
            if (isEmptyRun(run)) run.parent().remove_child(run);
        }
        return next;
    }

    bool isEmptyRun(pugi::xml_node run) const {
        for (pugi::xml_node c = run.first_child(); c; c = c.next_sibling())
            if (c.type() == pugi::node_element && names.rPr != c.name()) return false;
        return true;
    }

    // Makes the match [pos, pos + length) of a paragraph's text one run that
    // holds the placeholder's text alone, and returns that run.
    pugi::xml_node isolate(const std::vector<Piece>& pieces, std::size_t pos, std::size_t length,
                           const std::string& name) {
        std::size_t a = 0, b = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (pieces[i].start <= pos && pos < pieces[i].start + pieces[i].size) a = i;
            if (pieces[i].start < pos + length && pos + length <= pieces[i].start + pieces[i].size) b = i;
        }
        splitRun(pieces[b].t, pos + length - pieces[b].start);
        pugi::xml_node run = splitRun(pieces[a].t, pos - pieces[a].start);
        setText(run.child(names.t.c_str()), name);
        for (std::size_t i = a + 1; i <= b; ++i) {
            pugi::xml_node owner = pieces[i].t.parent();
            owner.remove_child(pieces[i].t);
            if (owner != run && isEmptyRun(owner)) owner.parent().remove_child(owner);
        }
        return run;
    }

    std::size_t mark(const std::vector<std::string>& wanted) {
        std::vector<pugi::xml_node> paragraphs;
        struct Walker : pugi::xml_tree_walker {
            const std::string* p;
            std::vector<pugi::xml_node>* out;
            bool for_each(pugi::xml_node& node) override {
                if (p->compare(node.name()) == 0) out->push_back(node);
                return true;
            }
        } walker;
        walker.p = &names.p;
        walker.out = &paragraphs;
        document.document_element().traverse(walker);

        std::size_t found = 0;
        for (pugi::xml_node paragraph : paragraphs) {
            std::string text;
            std::vector<Piece> pieces;
            collectText(paragraph, text, pieces);
            if (text.find('<') == std::string::npos) continue;
            // Every match, leftmost first; at one place the longest name wins.
            std::vector<std::pair<std::size_t, const std::string*>> matches;
            for (std::size_t pos = text.find('<'); pos != std::string::npos;) {
                const std::string* best = nullptr;
                for (const std::string& n : wanted)
                    if (!n.empty() && text.compare(pos, n.size(), n) == 0 && (!best || n.size() > best->size()))
                        best = &n;
                if (best) {
                    matches.emplace_back(pos, best);
                    pos = text.find('<', pos + best->size());
                } else {
                    pos = text.find('<', pos + 1);
                }
            }
            std::vector<std::pair<const std::string*, pugi::xml_node>> marked;
            for (auto it = matches.rbegin(); it != matches.rend(); ++it)
                marked.emplace_back(it->second, isolate(pieces, it->first, it->second->size(), *it->second));
            for (auto it = marked.rbegin(); it != marked.rend(); ++it) anchors[*it->first].push_back(it->second);
            found += marked.size();
        }
        return found;
    }

    // --- putting content --------------------------------------------------

    pugi::xml_node paragraphOf(pugi::xml_node run) const {
        pugi::xml_node p = run.parent();
        while (p && names.p != p.name()) p = p.parent();
        return p;
    }

    // The child of the paragraph that holds the run (the run itself, or a
    // hyperlink or the like around it).
    static pugi::xml_node topOf(pugi::xml_node run, pugi::xml_node paragraph) {
        pugi::xml_node top = run;
        while (top.parent() != paragraph) top = top.parent();
        return top;
    }

    // A new paragraph after `after` in the paragraph format of `model`
    // (without its section break, which stays where it is).
    pugi::xml_node newParagraphAfter(pugi::xml_node after, pugi::xml_node model) {
        pugi::xml_node p = after.parent().insert_child_after(names.p.c_str(), after);
        if (pugi::xml_node pPr = model.child(names.pPr.c_str())) {
            pugi::xml_node copy = p.append_copy(pPr);
            copy.remove_child(names.sectPr.c_str());
        }
        return p;
    }

    // Moves what follows `top` in its paragraph to the end of `target`.
    static void moveRest(pugi::xml_node top, pugi::xml_node target) {
        for (pugi::xml_node n = top.next_sibling(); n;) {
            pugi::xml_node after = n.next_sibling();
            target.append_move(n);
            n = after;
        }
    }

    void putTextAt(pugi::xml_node run, std::string_view text) {
        const std::vector<std::string> lines = splitLines(cleanText(text));
        setText(run.child(names.t.c_str()), lines[0]);
        if (lines.size() == 1) return;
        pugi::xml_node paragraph = paragraphOf(run);
        if (!paragraph) return;
        pugi::xml_node top = topOf(run, paragraph);
        pugi::xml_node rPr = run.child(names.rPr.c_str());
        pugi::xml_node last = paragraph;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            last = newParagraphAfter(last, paragraph);
            pugi::xml_node r = last.append_child(names.r.c_str());
            if (rPr) r.append_copy(rPr);
            setText(r.append_child(names.t.c_str()), lines[i]);
        }
        moveRest(top, last);
        // A section break ends the section after the last line.
        pugi::xml_node pPr = paragraph.child(names.pPr.c_str());
        if (pugi::xml_node sect = pPr ? pPr.child(names.sectPr.c_str()) : pugi::xml_node()) {
            pugi::xml_node lastPPr = last.child(names.pPr.c_str());
            if (!lastPPr) lastPPr = last.prepend_child(names.pPr.c_str());
            lastPPr.append_move(sect);
        }
    }

    pugi::xml_node takeAnchor(const std::string& name) {
        auto it = anchors.find(name);
        if (it == anchors.end() || it->second.empty()) return {};
        pugi::xml_node run = it->second.front();
        it->second.erase(it->second.begin());
        return run;
    }

    static bool hasContent(pugi::xml_node paragraph, const Names& names) {
        for (pugi::xml_node c = paragraph.first_child(); c; c = c.next_sibling())
            if (c.type() == pugi::node_element && (names.pPr != c.name() || c.child(names.sectPr.c_str())))
                return true;
        return false;
    }

    static pugi::xml_node elementSibling(pugi::xml_node n, bool forward) {
        do n = forward ? n.next_sibling() : n.previous_sibling();
        while (n && n.type() != pugi::node_element);
        return n;
    }

    // Drops a paragraph left empty where that changes nothing else: another
    // paragraph follows it (a cell and the body keep their last paragraph) and
    // no table comes before it (two tables that meet become one).
    void dropIfEmpty(pugi::xml_node paragraph) {
        pugi::xml_node next = elementSibling(paragraph, true);
        pugi::xml_node previous = elementSibling(paragraph, false);
        if (hasContent(paragraph, names) || !next || names.p != next.name()) return;
        if (previous && names.w("tbl") == previous.name()) return;
        paragraph.parent().remove_child(paragraph);
    }

    void appendCellParagraphs(pugi::xml_node tc, const DocxCell& cell) {
        const char* jc = cell.horizontal == DocxCell::Horizontal::Centre  ? "center"
                         : cell.horizontal == DocxCell::Horizontal::Right ? "right"
                                                                          : "left";
        for (const std::string& line : splitLines(cleanText(cell.text))) {
            pugi::xml_node p = tc.append_child(names.p.c_str());
            pugi::xml_node pPr = p.append_child(names.pPr.c_str());
            pugi::xml_node spacing = pPr.append_child(names.w("spacing").c_str());
            spacing.append_attribute(names.w("before").c_str()) = "0";
            spacing.append_attribute(names.w("after").c_str()) = "0";
            pPr.append_child(names.w("jc").c_str()).append_attribute(names.w("val").c_str()) = jc;
            if (line.empty()) continue;
            pugi::xml_node r = p.append_child(names.r.c_str());
            pugi::xml_node rPr = r.append_child(names.rPr.c_str());
            if (!cell.fontFace.empty()) {
                pugi::xml_node fonts = rPr.append_child(names.w("rFonts").c_str());
                const std::string face = cleanText(cell.fontFace);
                for (const char* a : {"ascii", "hAnsi", "cs"}) fonts.append_attribute(names.w(a).c_str()) = face.c_str();
            }
            if (cell.bold) rPr.append_child(names.w("b").c_str());
            if (cell.italic) rPr.append_child(names.w("i").c_str());
            rPr.append_child(names.w("color").c_str()).append_attribute(names.w("val").c_str()) =
                hex6(cell.textColour).c_str();
            if (cell.fontPoints > 0) {
                const std::string half = std::to_string(std::lround(cell.fontPoints * 2));
                rPr.append_child(names.w("sz").c_str()).append_attribute(names.w("val").c_str()) = half.c_str();
                rPr.append_child(names.w("szCs").c_str()).append_attribute(names.w("val").c_str()) = half.c_str();
            }
            setText(r.append_child(names.t.c_str()), line);
        }
    }

    pugi::xml_node appendCell(pugi::xml_node tr, const DocxTable& table, const DocxCell& cell, int column, int span,
                              const char* vMerge) {
        pugi::xml_node tc = tr.append_child(names.tc.c_str());
        pugi::xml_node tcPr = tc.append_child(names.w("tcPr").c_str());
        int width = 0;
        for (int c = column; c < column + span; ++c) width += table.columnWidths[static_cast<std::size_t>(c)];
        pugi::xml_node tcW = tcPr.append_child(names.w("tcW").c_str());
        tcW.append_attribute(names.w("w").c_str()) = width;
        tcW.append_attribute(names.w("type").c_str()) = "dxa";
        if (span > 1) tcPr.append_child(names.w("gridSpan").c_str()).append_attribute(names.w("val").c_str()) = span;
        if (vMerge) {
            pugi::xml_node vm = tcPr.append_child(names.w("vMerge").c_str());
            if (*vMerge) vm.append_attribute(names.w("val").c_str()) = vMerge;
        }
        if (cell.background) {
            pugi::xml_node shd = tcPr.append_child(names.w("shd").c_str());
            shd.append_attribute(names.w("val").c_str()) = "clear";
            shd.append_attribute(names.w("color").c_str()) = "auto";
            shd.append_attribute(names.w("fill").c_str()) = hex6(*cell.background).c_str();
        }
        const char* v = cell.vertical == DocxCell::Vertical::Middle   ? "center"
                        : cell.vertical == DocxCell::Vertical::Bottom ? "bottom"
                                                                      : "top";
        tcPr.append_child(names.w("vAlign").c_str()).append_attribute(names.w("val").c_str()) = v;
        return tc;
    }

    void buildTable(pugi::xml_node tbl, const DocxTable& table) {
        const int columns = static_cast<int>(table.columnWidths.size());
        const int rows = static_cast<int>(table.rows.size());
        pugi::xml_node tblPr = tbl.append_child(names.w("tblPr").c_str());
        int total = 0;
        for (int w : table.columnWidths) total += w;
        pugi::xml_node tblW = tblPr.append_child(names.w("tblW").c_str());
        tblW.append_attribute(names.w("w").c_str()) = total;
        tblW.append_attribute(names.w("type").c_str()) = "dxa";
        pugi::xml_node borders = tblPr.append_child(names.w("tblBorders").c_str());
        for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
            pugi::xml_node b = borders.append_child(names.w(side).c_str());
            b.append_attribute(names.w("val").c_str()) = "single";
            b.append_attribute(names.w("sz").c_str()) = "4";
            b.append_attribute(names.w("space").c_str()) = "0";
            b.append_attribute(names.w("color").c_str()) = "000000";
        }
        tblPr.append_child(names.w("tblLayout").c_str()).append_attribute(names.w("type").c_str()) = "fixed";
        pugi::xml_node margins = tblPr.append_child(names.w("tblCellMar").c_str());
        for (const char* side : {"left", "right"}) {
            pugi::xml_node m = margins.append_child(names.w(side).c_str());
            m.append_attribute(names.w("w").c_str()) = 30;
            m.append_attribute(names.w("type").c_str()) = "dxa";
        }
        pugi::xml_node grid = tbl.append_child(names.w("tblGrid").c_str());
        for (int w : table.columnWidths) grid.append_child(names.w("gridCol").c_str()).append_attribute(names.w("w").c_str()) = w;

        // Which merged block each grid cell belongs to: the first block that
        // claims it; spans are cut at the grid's edges, and a block's first
        // cell that an earlier block covers counts as covered.
        struct Owner {
            int row = -1, column = -1, columnSpan = 1, rowSpan = 1;
        };
        std::vector<Owner> owners(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
        auto at = [&](int r, int c) -> Owner& {
            return owners[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)];
        };
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                const DocxCell& cell = table.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
                if (cell.covered || at(r, c).row >= 0) continue;
                Owner o{r, c, std::clamp(cell.columnSpan, 1, columns - c), std::clamp(cell.rowSpan, 1, rows - r)};
                // A block stops before a cell that another block holds.
                for (int cc = c + 1; cc < c + o.columnSpan; ++cc)
                    if (at(r, cc).row >= 0) {
                        o.columnSpan = cc - c;
                        break;
                    }
                for (int rr = r + 1; rr < r + o.rowSpan; ++rr)
                    for (int cc = c; cc < c + o.columnSpan; ++cc)
                        if (at(rr, cc).row >= 0) {
                            o.rowSpan = rr - r;
                            break;
                        }
                for (int rr = r; rr < r + o.rowSpan; ++rr)
                    for (int cc = c; cc < c + o.columnSpan; ++cc) at(rr, cc) = o;
            }

        static const DocxCell kEmpty;
        for (int r = 0; r < rows; ++r) {
            pugi::xml_node tr = tbl.append_child(names.w("tr").c_str());
            const int height = r < static_cast<int>(table.rowHeights.size()) ? table.rowHeights[static_cast<std::size_t>(r)] : 0;
            if (height > 0) {
                pugi::xml_node h = tr.append_child(names.w("trPr").c_str()).append_child(names.w("trHeight").c_str());
                h.append_attribute(names.w("val").c_str()) = height;
                h.append_attribute(names.w("hRule").c_str()) = "atLeast";
            }
            for (int c = 0; c < columns;) {
                const Owner& o = at(r, c);
                if (o.row < 0) {  // covered, but by no block: an empty cell keeps the grid whole
                    appendCellParagraphs(appendCell(tr, table, kEmpty, c, 1, nullptr), kEmpty);
                    ++c;
                    continue;
                }
                const DocxCell& first = table.rows[static_cast<std::size_t>(o.row)][static_cast<std::size_t>(o.column)];
                const int span = o.columnSpan - (c - o.column);
                if (o.row == r) {
                    pugi::xml_node tc = appendCell(tr, table, first, c, span, o.rowSpan > 1 ? "restart" : nullptr);
                    if (c == o.column)
                        appendCellParagraphs(tc, first);
                    else
                        appendCellParagraphs(tc, kEmpty);
                } else {
                    appendCellParagraphs(appendCell(tr, table, first, c, span, ""), DocxCell{});
                }
                c += span;
            }
        }
    }

    // --- pictures -----------------------------------------------------------

    std::string addPicturePart(std::string_view bytes, PictureKind kind) {
        std::string media;
        do {
            media = cformat("word/media/phonotab_image%u.%s", nextPicture++, pictureExtension(kind));
        } while (part(media));
        parts.push_back({media, std::string(bytes), kind == PictureKind::Bmp});

        // The content type of the extension, once.
        pugi::xml_node types = contentTypes.document_element();
        bool known = false;
        for (pugi::xml_node d : types.children("Default"))
            known |= lower(d.attribute("Extension").value()) == pictureExtension(kind);
        if (!known) {
            pugi::xml_node d = types.prepend_child("Default");
            d.append_attribute("Extension") = pictureExtension(kind);
            d.append_attribute("ContentType") = pictureContentType(kind);
        }

        // A relationship id that no relationship has yet.
        pugi::xml_node relationships = rels.document_element();
        std::string id;
        for (unsigned n = 1;; ++n) {
            id = cformat("rIdPhImg%u", n);
            bool used = false;
            for (pugi::xml_node r : relationships.children("Relationship")) used |= id == r.attribute("Id").value();
            if (!used) break;
        }
        pugi::xml_node r = relationships.append_child("Relationship");
        r.append_attribute("Id") = id.c_str();
        r.append_attribute("Type") = kImageType;
        r.append_attribute("Target") = media.substr(documentFolder().size()).c_str();
        return id;
    }

    std::string documentFolder() const {
        const auto slash = documentPath.rfind('/');
        return slash == std::string::npos ? std::string() : documentPath.substr(0, slash + 1);
    }

    void appendDrawing(pugi::xml_node run, const std::string& relId, long long cx, long long cy) {
        const unsigned id = nextDrawingId++;
        pugi::xml_node inl = run.append_child(names.w("drawing").c_str()).append_child("wp:inline");
        inl.append_attribute("xmlns:wp") = "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
        inl.append_attribute("xmlns:r") = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
        for (const char* a : {"distT", "distB", "distL", "distR"}) inl.append_attribute(a) = "0";
        pugi::xml_node extent = inl.append_child("wp:extent");
        extent.append_attribute("cx") = cx;
        extent.append_attribute("cy") = cy;
        pugi::xml_node docPr = inl.append_child("wp:docPr");
        docPr.append_attribute("id") = id;
        docPr.append_attribute("name") = cformat("Picture %u", id).c_str();
        pugi::xml_node locks = inl.append_child("wp:cNvGraphicFramePr").append_child("a:graphicFrameLocks");
        locks.append_attribute("xmlns:a") = "http://schemas.openxmlformats.org/drawingml/2006/main";
        locks.append_attribute("noChangeAspect") = "1";
        pugi::xml_node graphic = inl.append_child("a:graphic");
        graphic.append_attribute("xmlns:a") = "http://schemas.openxmlformats.org/drawingml/2006/main";
        pugi::xml_node data = graphic.append_child("a:graphicData");
        data.append_attribute("uri") = "http://schemas.openxmlformats.org/drawingml/2006/picture";
        pugi::xml_node pic = data.append_child("pic:pic");
        pic.append_attribute("xmlns:pic") = "http://schemas.openxmlformats.org/drawingml/2006/picture";
        pugi::xml_node nv = pic.append_child("pic:nvPicPr");
        pugi::xml_node cNvPr = nv.append_child("pic:cNvPr");
        cNvPr.append_attribute("id") = id;
        cNvPr.append_attribute("name") = cformat("Picture %u", id).c_str();
        nv.append_child("pic:cNvPicPr");
        pugi::xml_node fill = pic.append_child("pic:blipFill");
        fill.append_child("a:blip").append_attribute("r:embed") = relId.c_str();
        fill.append_child("a:stretch").append_child("a:fillRect");
        pugi::xml_node spPr = pic.append_child("pic:spPr");
        pugi::xml_node xfrm = spPr.append_child("a:xfrm");
        pugi::xml_node off = xfrm.append_child("a:off");
        off.append_attribute("x") = 0;
        off.append_attribute("y") = 0;
        pugi::xml_node ext = xfrm.append_child("a:ext");
        ext.append_attribute("cx") = cx;
        ext.append_attribute("cy") = cy;
        pugi::xml_node geom = spPr.append_child("a:prstGeom");
        geom.append_attribute("prst") = "rect";
        geom.append_child("a:avLst");
    }

    // --- reading and writing ------------------------------------------------

    bool load(const std::string& name) {
        // The main document part, named by the package's relationships.
        documentPath = "word/document.xml";
        if (ZipPart* root = part("_rels/.rels")) {
            pugi::xml_document r;
            if (r.load_buffer(root->bytes.data(), root->bytes.size(), kParseOptions))
                for (pugi::xml_node rel : r.document_element().children("Relationship"))
                    if (std::string_view(rel.attribute("Type").value()) == kOfficeDocumentType) {
                        std::string target = rel.attribute("Target").value();
                        if (!target.empty() && target[0] == '/') target.erase(0, 1);
                        documentPath = target;
                    }
        }
        ZipPart* doc = part(documentPath);
        if (!doc || !document.load_buffer(doc->bytes.data(), doc->bytes.size(), kParseOptions)) return false;
        documentIndex = static_cast<std::size_t>(doc - parts.data());
        pugi::xml_node root = document.document_element();
        if (!root) return false;
        // The prefix of the main namespace as this document spells it.
        std::string prefix = "w:";
        for (pugi::xml_attribute a : root.attributes()) {
            const std::string_view an = a.name();
            if (std::string_view(a.value()) == kMainNamespace && an.substr(0, 6) == "xmlns:") {
                prefix = std::string(an.substr(6)) + ":";
                break;
            }
        }
        names = Names(prefix);
        if (!root.child(names.body.c_str())) return false;

        const std::string folder = documentFolder();
        const std::string file = documentPath.substr(folder.size());
        relsPath = folder + "_rels/" + file + ".rels";
        if (ZipPart* r = part(relsPath)) {
            if (!rels.load_buffer(r->bytes.data(), r->bytes.size(), kParseOptions) || !rels.document_element())
                return false;
        } else {
            pugi::xml_node decl = rels.append_child(pugi::node_declaration);
            decl.append_attribute("version") = "1.0";
            decl.append_attribute("encoding") = "UTF-8";
            decl.append_attribute("standalone") = "yes";
            rels.append_child("Relationships").append_attribute("xmlns") = kRelationshipsNamespace;
        }
        if (ZipPart* ct = part("[Content_Types].xml")) {
            if (!contentTypes.load_buffer(ct->bytes.data(), ct->bytes.size(), kParseOptions) ||
                !contentTypes.document_element())
                return false;
        } else {
            return false;
        }
        (void)name;

        // Drawing ids in use, and the page's text area for sizing pictures.
        struct Ids : pugi::xml_tree_walker {
            unsigned max = 0;
            bool for_each(pugi::xml_node& node) override {
                if (endsWith(node.name(), ":docPr") || std::string_view(node.name()) == "docPr")
                    max = std::max(max, node.attribute("id").as_uint());
                return true;
            }
        } ids;
        root.traverse(ids);
        nextDrawingId = ids.max + 1;
        if (pugi::xml_node sect = root.child(names.body.c_str()).child(names.sectPr.c_str())) {
            pugi::xml_node size = sect.child(names.w("pgSz").c_str());
            pugi::xml_node margin = sect.child(names.w("pgMar").c_str());
            const long long w = size.attribute(names.w("w").c_str()).as_llong() -
                                margin.attribute(names.w("left").c_str()).as_llong() -
                                margin.attribute(names.w("right").c_str()).as_llong();
            const long long h = size.attribute(names.w("h").c_str()).as_llong() -
                                margin.attribute(names.w("top").c_str()).as_llong() -
                                margin.attribute(names.w("bottom").c_str()).as_llong();
            if (w > 0) maxWidthEmu = w * kEmuPerTwip;
            if (h > 0) maxHeightEmu = h * kEmuPerTwip;
        }
        return true;
    }
};

DocxDocument::DocxDocument(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
DocxDocument::DocxDocument(DocxDocument&&) noexcept = default;
DocxDocument& DocxDocument::operator=(DocxDocument&&) noexcept = default;
DocxDocument::~DocxDocument() = default;

Result<DocxDocument> DocxDocument::open(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Message(msg::CannotOpen, path);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return Message(msg::CannotOpen, path);
    return fromBytes(buffer.str(), path);
}

Result<DocxDocument> DocxDocument::fromBytes(std::string_view bytes, const std::string& nameForMessages) {
    auto impl = std::make_unique<Impl>();
    std::optional<std::vector<ZipPart>> parts = readZipParts(bytes, MaxParts, MaxPartSize);
    if (!parts) return Message(msg::NotWordDocument, nameForMessages);
    impl->parts = std::move(*parts);
    if (!impl->load(nameForMessages)) return Message(msg::NotWordDocument, nameForMessages);
    return DocxDocument(std::move(impl));
}

std::size_t DocxDocument::markPlaceholders(const std::vector<std::string>& names) { return impl_->mark(names); }

std::size_t DocxDocument::count(const std::string& name) const {
    const auto it = impl_->anchors.find(name);
    return it == impl_->anchors.end() ? 0 : it->second.size();
}

void DocxDocument::putText(const std::string& name, std::string_view text, bool firstOnly) {
    while (pugi::xml_node run = impl_->takeAnchor(name)) {
        impl_->putTextAt(run, text);
        if (firstOnly) break;
    }
}

void DocxDocument::clear(const std::string& name) {
    while (pugi::xml_node run = impl_->takeAnchor(name)) {
        pugi::xml_node paragraph = impl_->paragraphOf(run);
        run.parent().remove_child(run);
        if (paragraph) impl_->dropIfEmpty(paragraph);
    }
}

bool DocxDocument::putTable(const std::string& name, const DocxTable& table) {
    if (table.columnWidths.empty() || table.rows.empty() || count(name) == 0) return false;
    for (const auto& row : table.rows)
        if (row.size() != table.columnWidths.size()) return false;
    Impl& d = *impl_;
    pugi::xml_node run = d.takeAnchor(name);
    pugi::xml_node paragraph = d.paragraphOf(run);
    if (!paragraph) return false;
    pugi::xml_node top = Impl::topOf(run, paragraph);
    // What followed the placeholder goes on after the table, in a paragraph of
    // the same format that also takes over a section break.
    pugi::xml_node after = d.newParagraphAfter(paragraph, paragraph);
    Impl::moveRest(top, after);
    run.parent().remove_child(run);
    pugi::xml_node pPr = paragraph.child(d.names.pPr.c_str());
    if (pugi::xml_node sect = pPr ? pPr.child(d.names.sectPr.c_str()) : pugi::xml_node()) {
        pugi::xml_node afterPPr = after.child(d.names.pPr.c_str());
        if (!afterPPr) afterPPr = after.prepend_child(d.names.pPr.c_str());
        afterPPr.append_move(sect);
    }
    pugi::xml_node tbl = paragraph.parent().insert_child_after(d.names.w("tbl").c_str(), paragraph);
    d.buildTable(tbl, table);
    // The paragraph after the table stays, so that the next table never meets
    // this one; the one before goes when the placeholder was all it held.
    pugi::xml_node previous = Impl::elementSibling(paragraph, false);
    if (!Impl::hasContent(paragraph, d.names) && !(previous && d.names.w("tbl") == previous.name()))
        paragraph.parent().remove_child(paragraph);
    return true;
}

Status DocxDocument::putPicture(const std::string& name, std::string_view picture, std::string_view caption,
                                const std::string& nameForMessages) {
    std::optional<PictureInfo> info;
    if (!picture.empty()) {
        info = readPictureInfo(picture);
        if (!info) return Message(msg::PictureUnreadable, nameForMessages);
    }
    Impl& d = *impl_;
    pugi::xml_node run = d.takeAnchor(name);
    if (!run) return Status::success();
    d.putTextAt(run, caption.empty() ? std::string() : "\n" + std::string(caption));
    if (!info) return Status::success();
    run.remove_child(d.names.t.c_str());
    const double dpiX = info->dpiX > 1 ? info->dpiX : 96.0, dpiY = info->dpiY > 1 ? info->dpiY : 96.0;
    double cx = info->width * static_cast<double>(kEmuPerInch) / dpiX;
    double cy = info->height * static_cast<double>(kEmuPerInch) / dpiY;
    double scale = 1.0;
    if (d.maxWidthEmu > 0 && cx > d.maxWidthEmu) scale = std::min(scale, d.maxWidthEmu / cx);
    if (d.maxHeightEmu > 0 && cy > d.maxHeightEmu) scale = std::min(scale, d.maxHeightEmu / cy);
    const std::string rel = d.addPicturePart(picture, info->kind);
    d.appendDrawing(run, rel, std::max(1LL, std::llround(cx * scale)), std::max(1LL, std::llround(cy * scale)));
    return Status::success();
}

Result<std::string> DocxDocument::packageBytes() const {
    const Impl& d = *impl_;
    struct Writer : pugi::xml_writer {
        std::string out;
        void write(const void* data, std::size_t size) override { out.append(static_cast<const char*>(data), size); }
    };
    auto serialise = [](const pugi::xml_document& doc, const std::string& name) {
        Writer w;
        doc.save(w, "", pugi::format_raw, pugi::encoding_utf8);
        return ZipPart{name, std::move(w.out), true};
    };
    const ZipPart document = serialise(d.document, d.documentPath);
    const ZipPart rels = serialise(d.rels, d.relsPath);
    const ZipPart types = serialise(d.contentTypes, "[Content_Types].xml");
    std::vector<const ZipPart*> parts;
    parts.push_back(&types);
    for (const ZipPart& p : d.parts) {
        if (p.name == types.name || p.name == rels.name) continue;
        parts.push_back(p.name == document.name ? &document : &p);
    }
    parts.push_back(&rels);
    std::optional<std::string> bytes = writeZipParts(parts);
    if (!bytes) return Message(msg::CannotWrite, std::string());
    return std::move(*bytes);
}

Status DocxDocument::save(const std::string& path) const {
    Result<std::string> bytes = packageBytes();
    if (!bytes) return Message(msg::CannotWrite, path);
    return writeFileAtomically(path, *bytes);
}

}  // namespace phonotab
