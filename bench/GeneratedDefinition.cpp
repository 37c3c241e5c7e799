#include "bench/GeneratedDefinition.h"

#include <string>

CDef GeneratedDefinition(int options)
{
    CDef def;
    def.Name = "Generated tool";
    def.Program = "/usr/bin/tool";
    def.Directory = "/srv/work";
    def.Information = "A generated definition.\r\nSecond line.";
    for (int i = 0; i < options; ++i) {
        const std::string number = std::to_string(i + 1);
        COption option;
        option.Name = "Opt" + number;
        option.Type = "Select";
        option.Value = "v" + number;
        option.Values = {"a" + number, "b" + number, "c" + number};
        option.Format = "-o%s";
        option.Arg = i + 1;
        option.Information = "Line one.\r\nLine two.";
        def.Options.push_back(option);
    }
    return def;
}
