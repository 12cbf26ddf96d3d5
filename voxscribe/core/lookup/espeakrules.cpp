#include "espeakrules.h"

namespace core::espeakrules {

RuleSet::RuleSet(std::string_view text) {
    for (std::string_view line : split(text, '\n')) {
        const std::vector<std::string_view> f = fields(line);
        if (!f.empty()) {
            read(f);
        }
    }
    splitStops_ = codes(words("s-split-stops"));
    splitAfter_ = codes(words("s-split-after"));
    // A second primary unless the rules say otherwise: the British style's "5nR:W5west".
    if (const auto& mark = words("before-final-mark"); !mark.empty() && mark[0] == ",") {
        beforeFinalMark_ = ',';
    }
}

Kind RuleSet::kindOf(std::string_view code) const {
    if (std::find(vowels_.begin(), vowels_.end(), code) != vowels_.end()) {
        return Kind::Vowel;
    }
    return Kind::Consonant;
}

CodeSet RuleSet::codes(const std::vector<std::string_view>& names) const {
    CodeSet out;
    for (std::string_view name : names) {
        if (startsWith(name, "%")) {
            if (const auto set = sets_.find(name.substr(1)); set != sets_.end()) {
                out.insert(set->second.begin(), set->second.end());
            }
        } else {
            out.insert(std::string(name));
        }
    }
    return out;
}

const std::vector<std::string_view>& RuleSet::words(std::string_view key) const {
    static const std::vector<std::string_view> kNone;
    const auto found = stressWords_.find(key);
    return found == stressWords_.end() ? kNone : found->second;
}

void RuleSet::read(const std::vector<std::string_view>& f) {
    const std::string_view keyword = f[0];
    const std::vector<std::string_view> rest(f.begin() + 1, f.end());
    if (keyword == "vowels") {
        vowels_.insert(vowels_.end(), rest.begin(), rest.end());
        sets_["vowels"] = codes(vowels_);
    } else if (keyword == "consonants") {
        consonants_.insert(consonants_.end(), rest.begin(), rest.end());
        sets_["consonants"] = codes(consonants_);
    } else if (keyword == "alias" && rest.size() == 2) {
        aliases_[std::string(rest[0])] = std::string(rest[1]);
    } else if (keyword == "set" && !rest.empty()) {
        sets_[std::string(rest[0])] = codes({rest.begin() + 1, rest.end()});
    } else if (keyword == "espeak" && !rest.empty()) {
        Sounds sounds;
        for (std::size_t i = 1; i < rest.size(); ++i) {
            sounds.push_back(Sound{std::string(rest[i]), kindOf(rest[i]), 0});
        }
        espeak_[std::string(rest[0])] = sounds;
        espeakOrder_.push_back(EspeakPhoneme{rest[0],
                                             rest.size() > 1 ? rest[1] : std::string_view(),
                                             rest.size() > 2 ? rest[2] : std::string_view()});
    } else if (keyword == "onset") {
        onsets_.insert(std::vector<std::string>(rest.begin(), rest.end()));
    } else if (keyword == "stress" && !rest.empty()) {
        stressWords_[std::string(rest[0])] = {rest.begin() + 1, rest.end()};
    } else if (keyword == "rule") {
        rules_.push_back(rule(rest));
    }
}

Rule RuleSet::rule(const std::vector<std::string_view>& tokens) const {
    Rule rule;
    auto token = tokens.begin();
    for (; token != tokens.end() && *token != ":"; ++token) {
        rule.conditions.push_back(condition(*token));
    }
    for (++token; token < tokens.end() && *token != "->"; ++token) {
        items(*token, rule.items);
    }
    if (token < tokens.end()) {
        rule.replacement.assign(token + 1, tokens.end());
    }
    for (const Item& item : rule.items) {
        if (item.type == Item::Type::Sound && item.repeat == 0 && !item.start) {
            CodeSet wanted;
            std::set_difference(item.codes.begin(), item.codes.end(), item.excluded.begin(),
                                item.excluded.end(), std::inserter(wanted, wanted.end()));
            rule.required.push_back(std::move(wanted));
        }
    }
    return rule;
}

Condition RuleSet::condition(std::string_view text) {
    Condition c;
    if (startsWith(text, "len<=")) {
        c.type = Condition::Type::AtMost;
        c.length = std::stoul(std::string(text.substr(5)));
    } else if (startsWith(text, "len>")) {
        c.type = Condition::Type::MoreThan;
        c.length = std::stoul(std::string(text.substr(4)));
    } else {
        c.negated = startsWith(text, "!");
        c.patterns = split(c.negated ? text.substr(1) : text, '|');
    }
    return c;
}

void RuleSet::items(std::string_view token, std::vector<Item>& out) const {
    if (token == "[]") {
        out.push_back(Item::of(Item::Type::Open));
        out.push_back(Item::of(Item::Type::Close));
        return;
    }
    const bool open = token.size() > 1 && token.front() == '[';
    const bool close = token.size() > 1 && token.back() == ']';
    if (open) {
        out.push_back(Item::of(Item::Type::Open));
        token.remove_prefix(1);
    }
    if (close) {
        token.remove_suffix(1);
    }
    out.push_back(item(token));
    if (close) {
        out.push_back(Item::of(Item::Type::Close));
    }
}

Item RuleSet::item(std::string_view token) const {
    for (const auto& [name, type] : kMarkItems) {
        if (token == name) {
            return Item::of(type);
        }
    }
    Item item;
    if (startsWith(token, "!")) {
        item.type = Item::Type::NotNext;
        item.codes = codes(split(token.substr(1), '|'));
        return item;
    }
    if (endsWith(token, "?") || endsWith(token, "*")) {
        item.repeat = token.back();
        token.remove_suffix(1);
    }
    if (!token.empty() && stressOfMark(token.front()) >= 0) {
        item.stress = stressOfMark(token.front());
        token.remove_prefix(1);
    }
    const std::size_t bang = token.find('!');
    std::vector<std::string_view> names = split(token.substr(0, bang), '|');
    const auto start = std::find(names.begin(), names.end(), "^");
    if (start != names.end()) {
        item.start = true;
        names.erase(start);
    }
    item.codes = codes(names);
    if (bang != kNone) {
        item.excluded = codes(split(token.substr(bang + 1), '|'));
    }
    return item;
}

}  // namespace core::espeakrules
