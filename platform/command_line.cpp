#include "platform/command_line.h"

#include <algorithm>

namespace kestrow {

namespace {

bool isWholeDelay(std::string_view text)
{
    if (text.empty() || text.size() > 9) return false;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
    if (text.size() > 1 && text.front() == '0') return false;
    return std::stoll(std::string(text)) <= kMaxShutdownDelay;
}

// The whole address goes on one command line: nothing in it may end the
// argument or start another.
bool isPlainAddress(std::string_view address)
{
    if (!address.starts_with("https://") || address.size() == 8) return false;
    return std::none_of(address.begin(), address.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= ' ' || byte == 0x7F || c == '"';
    });
}

}  // namespace

std::string CommandLine::text() const
{
    std::string line = tool == Tool::Shutdown ? "shutdown" : "explorer.exe";
    for (const std::string& argument : arguments) {
        line += ' ';
        line += argument;
    }
    return line;
}

CommandLine shutdownCommandLine(std::vector<std::string> arguments) { return {Tool::Shutdown, std::move(arguments)}; }

CommandLine openPageCommandLine(std::string_view address) { return {Tool::Explorer, {std::string(address)}}; }

std::optional<std::string> commandLineRefusal(const CommandLine& command)
{
    const auto& a = command.arguments;
    if (command.tool == Tool::Explorer) {
        if (a.size() == 1 && isPlainAddress(a[0])) return std::nullopt;
        return "不是可以打开的网页地址：" + command.text();
    }
    const bool delayed = a.size() == 3 && (a[0] == "-s" || a[0] == "-r") && a[1] == "-t" && isWholeDelay(a[2]);
    const bool single = a.size() == 1 && (a[0] == "-h" || a[0] == "-l" || a[0] == "-a");
    if (delayed || single) return std::nullopt;
    return "不允许运行的命令：" + command.text();
}

}  // namespace kestrow
