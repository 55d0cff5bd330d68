#include "items/StringTable.h"

#include "items/ProgramContext.h"

namespace vantrel {

const std::string& StringTable::Text(int id) const {
    static const std::string empty;
    if (id <= 0 || id >= kEntries) return empty;
    return texts_[std::size_t(id)];
}

bool StringTable::Set(int id, std::string_view text) {
    if (id <= 0 || id >= kEntries) return false;
    texts_[std::size_t(id)] = std::string(text.substr(0, kMaxText));
    return true;
}

void StringTable::LoadResources() {
    for (auto& text : texts_) text.clear();
    for (const StringResource& row : StringResources()) Set(row.id, row.text);
}

StringTable& StringTable::Instance() {
    if (StringTable* own = Context().strings) return *own;
    static StringTable table = [] {
        StringTable t;
        t.LoadResources();
        return t;
    }();
    return table;
}

}  // namespace vantrel
