#include "engine/counter_tag.h"

#include <algorithm>
#include <string_view>

namespace {

struct CounterSettings {
    unsigned base = 10;
    bool upperCase = false;
    bool prefix = true;
    std::string_view startText = "0";
};

CounterSettings ReadSettings(const Tokens& tokens) {
    CounterSettings settings;
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        if (token == "dec")
            settings.base = 10;
        else if (token == "oct")
            settings.base = 8;
        else if (token == "hex")
            settings.base = 16;
        else if (token == "low")
            settings.upperCase = false;
        else if (token == "up")
            settings.upperCase = true;
        else if (token == "+b")
            settings.prefix = true;
        else if (token == "-b")
            settings.prefix = false;
        else
            settings.startText = token;
    }
    return settings;
}

CounterState& CounterOf(TemplateContext& context, unsigned base) {
    if (base == 8) return context.octalCounter;
    if (base == 16) return context.hexCounter;
    return context.decimalCounter;
}

// The forms printf gives for %u, %o, %x and %X, with "#" for the prefix.
std::string FormatCounter(std::uint32_t value, const CounterSettings& settings) {
    const char* digits = settings.upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    do {
        text += digits[value % settings.base];
        value /= settings.base;
    } while (value != 0);
    const bool showPrefix = settings.prefix && text != "0";
    if (showPrefix && settings.base == 8) text += '0';
    if (showPrefix && settings.base == 16) text += settings.upperCase ? "X0" : "x0";
    std::reverse(text.begin(), text.end());
    return text;
}

}  // namespace

std::string ExpandCounterTag(TemplateContext& context, const Tokens& tokens) {
    const CounterSettings settings = ReadSettings(tokens);
    CounterState& counter = CounterOf(context, settings.base);
    if (!counter.started) {
        std::uint32_t start = 0;
        counter.value = ReadUnsigned(settings.startText, settings.base, start) ? start : 0;
        counter.started = true;
    }
    const std::uint32_t value = counter.value++;
    return FormatCounter(value, settings);
}
