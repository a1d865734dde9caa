// A stand-in for LibreOffice in tests that need no real one: a shell script
// named "soffice" in a folder of its own, given to the converter as its search
// path. It reads the arguments a conversion passes ("--outdir OUT", the
// private profile, the document last) and then runs the test's own commands.
#pragma once

#include <sys/stat.h>

#include <fstream>
#include <string>

#include "TestSupport.h"

namespace phonotab::testing {

class FakeOffice {
public:
    // The commands see $out (the output folder), $doc (the document), $name
    // (its name without ".docx"), $profile (the profile folder) and $log (a
    // folder of the test's); the script's arguments are noted in $log/arguments.
    explicit FakeOffice(const std::string& commands) {
        std::filesystem::create_directory(dir_.path() / "bin");
        std::filesystem::create_directory(dir_.path() / "log");
        const std::string script = bin() + "/soffice";
        std::ofstream(script) << "#!/bin/sh\n"
                                 "log='" << log() << "'\n"
                                 "printf '%s\\n' \"$@\" > \"$log/arguments\"\n"
                                 "for a; do\n"
                                 "  [ \"$prev\" = --outdir ] && out=$a\n"
                                 "  case $a in -env:UserInstallation=file://*) profile=${a#-env:UserInstallation=file://};; esac\n"
                                 "  prev=$a; doc=$a\n"
                                 "done\n"
                                 "name=$(basename \"$doc\" .docx)\n"
                              << commands << "\n";
        ::chmod(script.c_str(), 0755);
    }

    std::string bin() const { return (dir_.path() / "bin").string(); }
    std::string log() const { return (dir_.path() / "log").string(); }

private:
    ScratchDir dir_;
};

// Commands that write a small complete PDF where LibreOffice would.
inline const std::string kFakeOfficeWritesPdf = "printf '%%PDF-1.4\\n%%%%EOF\\n' > \"$out/$name.pdf\"";

}  // namespace phonotab::testing
