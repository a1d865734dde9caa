// phonotab-cli: the batch tool, a thin front over the core.
#include <CLI/CLI.hpp>

#include "CliContext.h"

int main(int argc, char** argv) {
    using namespace phonotab::cli;
    CLI::App app{"Phonotab batch tool: measurement files, calculations, tables and projects"};
    app.require_subcommand(1);
    CliContext ctx;
    app.add_option("--teledesc", ctx.teleDescPath, "telemetry description (default: data/TeleDescFile.bin)");
    CLI::Option* lang = app.add_option(
        "--lang", ctx.language, "interface language by its name (default: the locale's, Русский or English)");
    app.set_version_flag("--version", std::string("phonotab-cli ") + PHONOTAB_VERSION, "print the version and exit");
    app.add_option("--encoding", ctx.encodingName, "text exports: utf8 (default) or cp1251");

    CommandList commands;
    for (CommandAdder add : registeredCommands()) add(app, ctx, commands);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : kExitUsage;
    }
    if (!phonotab::parseTextEncoding(ctx.encodingName, ctx.encoding))
        return usageError("--encoding: use utf8 or cp1251");
    if (lang->count() == 0)
        ctx.applyLocaleLanguage();
    else if (!ctx.applyLanguage())
        return usageError("--lang: no language table named " + ctx.language);
    for (auto& [cmd, run] : commands)
        if (cmd->parsed()) return run();
    return usageError("no command given");
}
