// Word-processor documents in tests: small templates made from body XML, and
// a written document read back by an independent reader (python-docx of the
// system's Python), as lines in body order:
//   "p\t<style>\t<text>"                    a paragraph of the body
//   "tbl\t<n>"                              the n-th table of the body begins
//   "tc\t<row>\t<gridSpan>\t<vMerge>\t<text>"   each cell element of that table
//                                              (vMerge "-" when not merged; lines of a cell joined by "|")
//   "pic\t<cx>\t<cy>\t<content type>"       each inline picture (EMU)
//   "part\t<name>"                          each part of the package
// "error\t..." holds what went wrong.
#pragma once

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "core/platform/ZipPackage.h"

namespace phonotab::testing {

// A template package whose body holds the given XML (paragraphs, tables),
// with a "Heading1" paragraph style so that styles can be checked.
inline std::string makeDocxTemplate(const std::string& bodyXml) {
    std::vector<ZipPart> parts = {
        {"[Content_Types].xml",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
         R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
         R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
         R"(<Default Extension="xml" ContentType="application/xml"/>)"
         R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
         R"(<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>)"
         R"(</Types>)"},
        {"_rels/.rels",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
         R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
         R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
         R"(</Relationships>)"},
        {"word/_rels/document.xml.rels",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
         R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
         R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
         R"(</Relationships>)"},
        {"word/styles.xml",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
         R"(<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
         R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/></w:style>)"
         R"(<w:style w:type="paragraph" w:styleId="Heading1"><w:name w:val="heading 1"/><w:basedOn w:val="Normal"/></w:style>)"
         R"(</w:styles>)"},
        {"word/document.xml",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
         R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
         R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><w:body>)" +
             bodyXml +
             R"(<w:sectPr><w:pgSz w:w="11906" w:h="16838"/><w:pgMar w:top="1134" w:right="850" w:bottom="1134" w:left="1701"/></w:sectPr>)"
             R"(</w:body></w:document>)"},
    };
    std::vector<const ZipPart*> refs;
    for (const ZipPart& p : parts) refs.push_back(&p);
    return writeZipParts(refs).value_or(std::string());
}

// Text as XML content: "&", "<" and ">" escaped.
inline std::string xmlText(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == '&') out += "&amp;";
        else if (ch == '<') out += "&lt;";
        else if (ch == '>') out += "&gt;";
        else out.push_back(ch);
    }
    return out;
}

inline bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

inline std::vector<std::string> readDocxWithPythonDocx(const std::string& docxPath) {
    static const char* script = R"PY(
import sys, zipfile, docx, docx.table, docx.text.paragraph
from docx.oxml.ns import qn
def esc(s):
    return s.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "|")
d = docx.Document(sys.argv[1])
body = d.element.body
tables = 0
for el in body.iterchildren():
    if el.tag == qn("w:p"):
        p = docx.text.paragraph.Paragraph(el, d)
        print("p\t%s\t%s" % (p.style.style_id if p.style is not None else "", esc(p.text)))
    elif el.tag == qn("w:tbl"):
        tables += 1
        print("tbl\t%d" % tables)
        for ri, tr in enumerate(el.iter(qn("w:tr"))):
            for tc in tr.iter(qn("w:tc")):
                vm = tc.vMerge
                text = "|".join(p.text for p in docx.table._Cell(tc, None).paragraphs)
                print("tc\t%d\t%d\t%s\t%s" % (ri, tc.grid_span, "-" if vm is None else vm, esc(text)))
for s in d.inline_shapes:
    rid = s._inline.graphic.graphicData.pic.blipFill.blip.embed
    print("pic\t%d\t%d\t%s" % (s.width, s.height, d.part.related_parts[rid].content_type))
for n in zipfile.ZipFile(sys.argv[1]).namelist():
    print("part\t" + n)
)PY";
    std::vector<std::string> out;
    ScratchDir dir;
    {
        std::ofstream(dir.file("read_docx.py")) << script;
    }
    const std::string cmd = "/usr/bin/python3 '" + dir.file("read_docx.py") + "' '" + docxPath + "' 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return {"error\tcannot start /usr/bin/python3"};
    std::string text;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) text.append(buf, n);
    const int status = pclose(p);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    if (status != 0) out.insert(out.begin(), "error\t" + text);
    return out;
}

// The lines of a read-back that begin with the prefix.
inline std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& l : lines)
        if (l.compare(0, prefix.size(), prefix) == 0) out.push_back(l);
    return out;
}

}  // namespace phonotab::testing
