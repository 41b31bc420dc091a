#include "testing/HiddenResources.h"

#include "resources/ProgramModule.h"
#include "testing/InstallOnce.h"

#include <memory>
#include <optional>
#include <vector>

namespace platform::testing {
namespace {

// The embedded resources with some taken out or replaced.
class HidingSection final : public res::ResourceSection {
public:
    explicit HidingSection(res::ResourceSection& real) : m_real(real) {}

    const res::ResEntry* Find(const res::ResId& type, const res::ResId& name) override
    {
        for (const auto& r : replaced)
            if (r->active && r->entry.name.Matches(name) && r->entry.type.Matches(type))
                return &r->entry;
        const res::ResEntry* entry = m_real.Find(type, name);
        if (!entry)
            return nullptr;
        for (const Hidden& h : hidden)
            if (h.name.Matches(entry->name) && (!h.type || h.type->Matches(entry->type)))
                return nullptr;
        return entry;
    }

    struct Hidden {
        res::ResId name;
        std::optional<res::ResId> type; // every type when empty
    };
    std::vector<Hidden> hidden;

    struct Replacement {
        std::vector<uint8_t> bytes;
        res::ResEntry entry;
        bool active = true;
    };
    // Kept after they are undone: handles to them may still be about.
    std::vector<std::unique_ptr<Replacement>> replaced;

private:
    res::ResourceSection& m_real;
};

HidingSection& section() { return InstallOnce<HidingSection>(res::CurrentSection, res::InstallSection); }

} // namespace

void HideResource(LPCSTR name, LPCSTR type)
{
    auto nameId = res::ResId::FromName(name);
    if (!nameId)
        return;
    section().hidden.push_back({std::move(*nameId), type ? res::ResId::FromName(type) : std::nullopt});
}

void ReplaceResource(LPCSTR name, LPCSTR type, std::vector<uint8_t> bytes)
{
    auto nameId = res::ResId::FromName(name);
    auto typeId = res::ResId::FromName(type);
    if (!nameId || !typeId)
        return;
    auto r = std::make_unique<HidingSection::Replacement>();
    r->bytes = std::move(bytes);
    r->entry.type = std::move(*typeId);
    r->entry.name = std::move(*nameId);
    r->entry.data = r->bytes.data();
    r->entry.size = static_cast<uint32_t>(r->bytes.size());
    section().replaced.insert(section().replaced.begin(), std::move(r));
}

void UnhideAllResources()
{
    section().hidden.clear();
    for (const auto& r : section().replaced)
        r->active = false;
}

} // namespace platform::testing
