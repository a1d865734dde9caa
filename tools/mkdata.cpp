// phonotab-mkdata SOURCE.tdsc demo FOLDER        the demo data set
// phonotab-mkdata SOURCE.tdsc large FILE RECORDS  a large sound level meter file
// phonotab-mkdata SOURCE.tdsc logger FILE RECORDS PER_SECOND  a large level logger file
// phonotab-mkdata SOURCE.tdsc bench-project FOLDER FILES RECORDS  files and a project over them
// Writes instrument files of the demonstration instruments.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "DemoData.h"
#include "DemoProject.h"
#include "core/project/ProjectFile.h"
#include "core/project/WorkingFolder.h"
#include "core/base/MappedFile.h"

int main(int argc, char** argv) {
    using namespace phonotab;
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s SOURCE.tdsc demo FOLDER | large FILE RECORDS\n", argv[0]);
        return 2;
    }
    std::string text, error;
    fixtures::TeleDescSource desc;
    if (!readFileText(argv[1], text) || !fixtures::parseTeleDescSource(text, desc, error)) {
        std::fprintf(stderr, "%s: cannot read the description %s\n", argv[1], error.c_str());
        return 1;
    }
    const std::string what = argv[2];
    if (what == "demo") {
        if (!fixtures::writeDemoData(desc, argv[3], error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        const std::string project = std::string(argv[3]) + "/demo.pht";
        // The demo works in its own folder wherever it is copied or installed.
        ProjectState demo = fixtures::makeDemoProject(argv[3]);
        demo.workingFolder = workingFolderForProjectFile(demo.workingFolder, project);
        if (Status s = SaveProject(demo, project); !s) {
            std::fprintf(stderr, "cannot write %s\n", project.c_str());
            return 1;
        }
        return 0;
    }
    if (what == "large" && argc == 5) {
        const long long records = std::atoll(argv[4]);
        if (records <= 0 || !fixtures::writeLargeSlmFile(desc, argv[3], records, 11)) {
            std::fprintf(stderr, "cannot write %s\n", argv[3]);
            return 1;
        }
        return 0;
    }
    if (what == "logger" && argc == 6) {
        const long long records = std::atoll(argv[4]);
        const int perSecond = std::atoi(argv[5]);
        if (records <= 0 || perSecond <= 0 || !fixtures::writeLevelLoggerFile(desc, argv[3], records, perSecond, 12)) {
            std::fprintf(stderr, "cannot write %s\n", argv[3]);
            return 1;
        }
        return 0;
    }
    if (what == "bench-project" && argc == 6) {
        ProjectState p;
        std::filesystem::create_directories(argv[3]);
        if (!fixtures::makeBenchProject(desc, argv[3], std::atoi(argv[4]), std::atoll(argv[5]), p) ||
            !SaveProject(p, std::string(argv[3]) + "/bench.pht")) {
            std::fprintf(stderr, "cannot write the project in %s\n", argv[3]);
            return 1;
        }
        return 0;
    }
    std::fprintf(stderr, "unknown request\n");
    return 2;
}
