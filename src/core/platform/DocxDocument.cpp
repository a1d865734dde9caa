#include "core/platform/DocxDocument.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <unordered_map>

#include "core/base/CFormat.h"
#include "core/base/TextCodec.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/DocxTableXml.h"
#include "core/platform/DocxText.h"
#include "core/platform/PictureInfo.h"
#include "core/platform/PngResolution.h"
#include "core/platform/ZipPackage.h"

namespace phonotab {

namespace {

constexpr const char* kMainNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char* kOfficeDocumentType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
constexpr const char* kImageType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
constexpr const char* kHeaderType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/header";
constexpr const char* kFooterType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer";
constexpr const char* kRelationshipsNamespace = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kContentTypesNamespace = "http://schemas.openxmlformats.org/package/2006/content-types";
// Whitespace that is all of an element's text (a run's single space) is text;
// whitespace between elements is layout and is dropped.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single;
constexpr long long kEmuPerTwip = 635;
// The processing instruction that stands for a table until the document is written.
constexpr const char* kFragmentMarker = "phonotab-fragment";
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
    // The prefixed name of a local name given as a literal; made once per
    // literal, as a table writes the same few names many thousand times.
    const char* w(const char* local) const {
        auto [it, added] = cache_.try_emplace(local);
        if (added) it->second = prefix + local;
        return it->second.c_str();
    }

private:
    mutable std::unordered_map<const char*, std::string> cache_;
};

void setText(pugi::xml_node t, const std::string& text) {
    t.text().set(text.c_str());
    if (!t.attribute("xml:space")) t.append_attribute("xml:space") = "preserve";
}

bool endsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

}  // namespace

// The written package: the three parts this layer rewrites, and every part in
// the package's order, pointing at those three or at the template's own parts
// (pictures among them), which are not copied.
struct WrittenPackage {
    ZipPart types, document, rels;
    std::vector<ZipPart> pageParts;  // the headers and footers that got a text
    std::vector<const ZipPart*> order;
};

struct DocxDocument::Impl {
    // Serialises the rewritten parts into out and lists the package's parts.
    void write(WrittenPackage& out) const;

    std::vector<ZipPart> parts;
    std::size_t documentIndex = 0;
    std::string documentPath;  // "word/document.xml"
    std::string relsPath;      // "word/_rels/document.xml.rels"
    pugi::xml_document document, rels, contentTypes;
    // The page headers and footers: their placeholders take texts too (a
    // protocol's number at the top of every page).
    struct PagePart {
        std::string path;
        pugi::xml_document xml;
        bool changed = false;  // written anew only when a placeholder was found in it
    };
    std::vector<std::unique_ptr<PagePart>> pageParts;
    Names names{"w:"};
    std::map<std::string, std::vector<pugi::xml_node>> anchors;  // marked runs per placeholder
    // Tables, written as XML text and spliced in when the document is saved;
    // the document holds a marker in each one's place.
    std::vector<std::string> fragments;
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
        const std::size_t bodyParagraphs = paragraphs.size();
        std::vector<PagePart*> partOfParagraph;  // of each paragraph after the body's
        for (const auto& page : pageParts) {
            page->xml.document_element().traverse(walker);
            partOfParagraph.resize(paragraphs.size() - bodyParagraphs, page.get());
        }

        std::size_t found = 0;
        for (std::size_t index = 0; index < paragraphs.size(); ++index) {
            const pugi::xml_node paragraph = paragraphs[index];
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
            if (!marked.empty() && index >= bodyParagraphs) partOfParagraph[index - bodyParagraphs]->changed = true;
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
        const std::vector<std::string> lines = splitDocumentLines(cleanDocumentText(text));
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

    // The first occurrence in the body: a table or picture has no place in
    // a page header or footer, so an occurrence there is emptied and passed over.
    pugi::xml_node takeBodyAnchor(const std::string& name) {
        while (pugi::xml_node run = takeAnchor(name)) {
            if (run.root() == document.root()) return run;
            setText(run.child(names.t.c_str()), std::string());
        }
        return {};
    }

    // Keeps the paragraph on the page of the one after it (a caption with its table).
    void keepWithNext(pugi::xml_node paragraph) {
        pugi::xml_node pPr = paragraph.child(names.pPr.c_str());
        if (!pPr) pPr = paragraph.prepend_child(names.pPr.c_str());
        if (pPr.child(names.w("keepNext"))) return;
        // The paragraph's style comes first among its properties, then this.
        if (pugi::xml_node style = pPr.child(names.w("pStyle")))
            pPr.insert_child_after(names.w("keepNext"), style);
        else
            pPr.prepend_child(names.w("keepNext"));
    }

    static bool hasContent(pugi::xml_node paragraph, const Names& names) {
        for (pugi::xml_node c = paragraph.first_child(); c; c = c.next_sibling())
            if (c.type() == pugi::node_element && (names.pPr != c.name() || c.child(names.sectPr.c_str())))
                return true;
        return false;
    }

    static bool isFragment(pugi::xml_node n) {
        return n.type() == pugi::node_pi && std::string_view(n.name()) == kFragmentMarker;
    }
    bool isTable(pugi::xml_node n) const {
        return isFragment(n) || (n.type() == pugi::node_element && std::string_view(names.w("tbl")) == n.name());
    }

    static pugi::xml_node elementSibling(pugi::xml_node n, bool forward) {
        do n = forward ? n.next_sibling() : n.previous_sibling();
        while (n && n.type() != pugi::node_element && !isFragment(n));
        return n;
    }

    // Drops a paragraph left empty where that changes nothing else: another
    // paragraph follows it (a cell and the body keep their last paragraph) and
    // no table comes before it (two tables that meet become one).
    void dropIfEmpty(pugi::xml_node paragraph) {
        pugi::xml_node next = elementSibling(paragraph, true);
        pugi::xml_node previous = elementSibling(paragraph, false);
        if (hasContent(paragraph, names) || !next || names.p != next.name()) return;
        if (previous && isTable(previous)) return;
        paragraph.parent().remove_child(paragraph);
    }

    // --- pictures -----------------------------------------------------------

    std::string addPicturePart(std::string_view bytes, PictureKind kind) {
        return addMediaPart(bytes, pictureExtension(kind), pictureContentType(kind), kind == PictureKind::Bmp);
    }

    std::string addMediaPart(std::string_view bytes, const char* extension, const char* contentType, bool compress) {
        std::string media;
        do {
            media = cformat("word/media/phonotab_image%u.%s", nextPicture++, extension);
        } while (part(media));
        parts.push_back({media, std::string(bytes), compress});

        // The content type of the extension, once.
        pugi::xml_node types = contentTypes.document_element();
        bool known = false;
        for (pugi::xml_node d : types.children("Default"))
            known |= lower(d.attribute("Extension").value()) == extension;
        if (!known) {
            pugi::xml_node d = types.prepend_child("Default");
            d.append_attribute("Extension") = extension;
            d.append_attribute("ContentType") = contentType;
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

    void appendDrawing(pugi::xml_node run, const std::string& relId, long long cx, long long cy,
                       const std::string& svgRelId = {}) {
        const unsigned id = nextDrawingId++;
        pugi::xml_node inl = run.append_child(names.w("drawing")).append_child("wp:inline");
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
        pugi::xml_node blip = fill.append_child("a:blip");
        blip.append_attribute("r:embed") = relId.c_str();
        if (!svgRelId.empty()) {
            // The drawing beside its bitmap: word processors that read SVG show
            // it, the others the bitmap.
            pugi::xml_node ext = blip.append_child("a:extLst").append_child("a:ext");
            ext.append_attribute("uri") = "{96DAC541-7B7A-43D3-8B79-37D633B846F1}";
            pugi::xml_node svg = ext.append_child("asvg:svgBlip");
            svg.append_attribute("xmlns:asvg") = "http://schemas.microsoft.com/office/drawing/2016/SVG/main";
            svg.append_attribute("r:embed") = svgRelId.c_str();
        }
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
        // The headers and footers the document names; one that is not XML is
        // left as it is (its placeholders are not looked for).
        for (pugi::xml_node rel : rels.document_element().children("Relationship")) {
            const std::string_view type = rel.attribute("Type").value();
            if (type != kHeaderType && type != kFooterType) continue;
            if (std::string_view(rel.attribute("TargetMode").value()) == "External") continue;
            std::string target = rel.attribute("Target").value();
            target = !target.empty() && target[0] == '/' ? target.substr(1) : folder + target;
            // Each part once, and only a part of its own (never the body or a list of parts).
            bool known = target == documentPath || target == relsPath || target == "[Content_Types].xml";
            for (const auto& loaded : pageParts) known |= loaded->path == target;
            ZipPart* page = known ? nullptr : part(target);
            if (!page) continue;
            auto loaded = std::make_unique<PagePart>();
            loaded->path = target;
            if (loaded->xml.load_buffer(page->bytes.data(), page->bytes.size(), kParseOptions) &&
                loaded->xml.document_element())
                pageParts.push_back(std::move(loaded));
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
            pugi::xml_node size = sect.child(names.w("pgSz"));
            pugi::xml_node margin = sect.child(names.w("pgMar"));
            const long long w = size.attribute(names.w("w")).as_llong() -
                                margin.attribute(names.w("left")).as_llong() -
                                margin.attribute(names.w("right")).as_llong();
            const long long h = size.attribute(names.w("h")).as_llong() -
                                margin.attribute(names.w("top")).as_llong() -
                                margin.attribute(names.w("bottom")).as_llong();
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
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return Message(msg::CannotOpen, path);
    if (size > MaxPackageSize) return Message(msg::NotWordDocument, path);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return Message(msg::CannotOpen, path);
    return fromBytes(buffer.str(), path);
}

Result<DocxDocument> DocxDocument::fromBytes(std::string_view bytes, const std::string& nameForMessages) {
    std::optional<std::vector<ZipPart>> parts = readZipParts(bytes, MaxParts, MaxPartSize, MaxPackageSize);
    if (!parts) return Message(msg::NotWordDocument, nameForMessages);
    return fromParts(std::move(*parts), nameForMessages);
}

Result<DocxDocument> DocxDocument::fromParts(std::vector<ZipPart> parts, const std::string& nameForMessages) {
    auto impl = std::make_unique<Impl>();
    impl->parts = std::move(parts);
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

bool DocxDocument::putTable(const std::string& name, const DocxTable& table, std::string_view caption) {
    if (table.columnWidths.empty() || table.rows.empty() || count(name) == 0) return false;
    for (const auto& row : table.rows)
        if (row.size() != table.columnWidths.size()) return false;
    Impl& d = *impl_;
    pugi::xml_node run = d.takeBodyAnchor(name);
    if (!run) return false;
    pugi::xml_node paragraph = d.paragraphOf(run);
    if (!paragraph) return false;
    pugi::xml_node top = Impl::topOf(run, paragraph);
    // What followed the placeholder goes on after the table, in a paragraph of
    // the same format that also takes over a section break.
    pugi::xml_node after = d.newParagraphAfter(paragraph, paragraph);
    Impl::moveRest(top, after);
    if (caption.empty()) {
        run.parent().remove_child(run);
    } else {
        // The caption takes the placeholder's place, on one line, and stays with its table.
        std::string line = cleanDocumentText(caption);
        for (char& c : line)
            if (c == '\r' || c == '\n') c = ' ';
        setText(run.child(d.names.t.c_str()), line);
        d.keepWithNext(paragraph);
    }
    pugi::xml_node pPr = paragraph.child(d.names.pPr.c_str());
    if (pugi::xml_node sect = pPr ? pPr.child(d.names.sectPr.c_str()) : pugi::xml_node()) {
        pugi::xml_node afterPPr = after.child(d.names.pPr.c_str());
        if (!afterPPr) afterPPr = after.prepend_child(d.names.pPr.c_str());
        afterPPr.append_move(sect);
    }
    pugi::xml_node marker = paragraph.parent().insert_child_after(pugi::node_pi, paragraph);
    marker.set_name(kFragmentMarker);
    marker.set_value(std::to_string(d.fragments.size()).c_str());
    d.fragments.emplace_back();
    // A table wider than the page's text narrows to it, its columns in proportion,
    // as a picture does: a report table never runs off the page.
    long long total = 0;
    for (int w : table.columnWidths) total += w;
    const long long room = d.maxWidthEmu / kEmuPerTwip;
    if (room > 0 && total > room) {
        DocxTable narrowed = table;
        for (int& w : narrowed.columnWidths) w = static_cast<int>(std::max<long long>(1, w * room / total));
        appendTableXml(d.fragments.back(), narrowed, d.names.prefix);
    } else {
        appendTableXml(d.fragments.back(), table, d.names.prefix);
    }
    // The paragraph after the table stays, so that the next table never meets
    // this one; the one before goes when the placeholder was all it held.
    pugi::xml_node previous = Impl::elementSibling(paragraph, false);
    if (!Impl::hasContent(paragraph, d.names) && !(previous && d.isTable(previous)))
        paragraph.parent().remove_child(paragraph);
    return true;
}

Status DocxDocument::putPicture(const std::string& name, std::string_view picture, std::string_view caption,
                                const std::string& nameForMessages, std::string_view svg) {
    std::optional<PictureInfo> info;
    if (!picture.empty()) {
        info = readPictureInfo(picture);
        if (!info) return Message(msg::PictureUnreadable, nameForMessages);
    }
    Impl& d = *impl_;
    pugi::xml_node run = d.takeBodyAnchor(name);
    if (!run) return Status::success();
    d.putTextAt(run, caption.empty() ? std::string() : "\n" + std::string(caption));
    if (!info) return Status::success();
    // A picture is never parted from its caption by a page break.
    if (!caption.empty())
        if (pugi::xml_node paragraph = d.paragraphOf(run)) d.keepWithNext(paragraph);
    run.remove_child(d.names.t.c_str());
    // A picture coarser than a print needs is placed smaller, never stretched.
    const double dpiX = std::max(info->dpiX > 1 ? info->dpiX : 96.0, MinPictureDpi);
    const double dpiY = std::max(info->dpiY > 1 ? info->dpiY : 96.0, MinPictureDpi);
    double cx = info->width * static_cast<double>(kEmuPerInch) / dpiX;
    double cy = info->height * static_cast<double>(kEmuPerInch) / dpiY;
    double scale = 1.0;
    if (d.maxWidthEmu > 0 && cx > d.maxWidthEmu) scale = std::min(scale, d.maxWidthEmu / cx);
    if (d.maxHeightEmu > 0 && cy > d.maxHeightEmu) scale = std::min(scale, d.maxHeightEmu / cy);
    const long long placedX = std::max(1LL, std::llround(cx * scale)), placedY = std::max(1LL, std::llround(cy * scale));
    std::string rel;
    std::optional<std::string> stated;
    // A PNG says the resolution it is placed at (one figure for both ways: a
    // picture keeps its proportions).
    if (info->kind == PictureKind::Png)
        stated = withPngResolution(picture, info->width * static_cast<double>(kEmuPerInch) / static_cast<double>(placedX));
    rel = d.addPicturePart(stated ? std::string_view(*stated) : picture, info->kind);
    const std::string svgRel = svg.empty() ? std::string() : d.addMediaPart(svg, "svg", "image/svg+xml", true);
    d.appendDrawing(run, rel, placedX, placedY, svgRel);
    return Status::success();
}

std::vector<ZipPart> DocxDocument::parts() const {
    WrittenPackage written;
    impl_->write(written);
    std::vector<ZipPart> out;
    out.reserve(written.order.size());
    for (const ZipPart* p : written.order) out.push_back(*p);
    return out;
}

Result<std::string> DocxDocument::packageBytes() const {
    WrittenPackage written;
    impl_->write(written);
    std::optional<std::string> bytes = writeZipParts(written.order);
    if (!bytes) return Message(msg::CannotWrite, std::string());
    return std::move(*bytes);
}

void DocxDocument::Impl::write(WrittenPackage& out) const {
    const Impl& d = *this;
    struct Writer : pugi::xml_writer {
        std::string out;
        void write(const void* data, std::size_t size) override { out.append(static_cast<const char*>(data), size); }
    };
    auto serialise = [](const pugi::xml_document& doc, const std::string& name) {
        Writer w;
        doc.save(w, "", pugi::format_raw, pugi::encoding_utf8);
        return ZipPart{name, std::move(w.out), true};
    };
    ZipPart document = serialise(d.document, d.documentPath);
    if (!d.fragments.empty()) {
        // Each marker "<?phonotab-fragment N?>" gives way to its table.
        const std::string marker = std::string("<?") + kFragmentMarker + " ";
        std::size_t size = document.bytes.size();
        for (const std::string& f : d.fragments) size += f.size();
        std::string spliced;
        spliced.reserve(size);
        const std::string& xml = document.bytes;
        std::size_t from = 0;
        for (std::size_t at = xml.find(marker); at != std::string::npos; at = xml.find(marker, from)) {
            const std::size_t end = xml.find("?>", at);
            if (end == std::string::npos) break;
            spliced.append(xml, from, at - from);
            // Only this layer makes markers (the template's own instructions are
            // not read), but a number that does not parse still yields nothing.
            std::size_t index = d.fragments.size();
            std::from_chars(xml.data() + at + marker.size(), xml.data() + end, index);
            if (index < d.fragments.size()) spliced += d.fragments[index];
            from = end + 2;
        }
        spliced.append(xml, from, std::string::npos);
        document.bytes = std::move(spliced);
    }
    out.document = std::move(document);
    out.rels = serialise(d.rels, d.relsPath);
    out.types = serialise(d.contentTypes, "[Content_Types].xml");
    for (const auto& page : d.pageParts)
        if (page->changed) out.pageParts.push_back(serialise(page->xml, page->path));
    out.order.reserve(d.parts.size() + 2);
    out.order.push_back(&out.types);
    for (const ZipPart& p : d.parts) {
        if (p.name == out.types.name || p.name == out.rels.name) continue;
        const ZipPart* written = p.name == out.document.name ? &out.document : &p;
        for (const ZipPart& page : out.pageParts)
            if (page.name == p.name) written = &page;
        out.order.push_back(written);
    }
    out.order.push_back(&out.rels);
}

Status DocxDocument::save(const std::string& path) const {
    Result<std::string> bytes = packageBytes();
    if (!bytes) return Message(msg::CannotWrite, path);
    return writeFileAtomically(path, *bytes);
}

}  // namespace phonotab
