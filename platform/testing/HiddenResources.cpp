#include "testing/HiddenResources.h"

#include "resources/ProgramModule.h"
#include "testing/InstallOnce.h"

#include <optional>
#include <vector>

namespace platform::testing {
namespace {

// The embedded resources with some taken out.
class HidingSection final : public res::ResourceSection {
public:
    explicit HidingSection(res::ResourceSection& real) : m_real(real) {}

    const res::ResEntry* Find(const res::ResId& type, const res::ResId& name) override
    {
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

void UnhideAllResources() { section().hidden.clear(); }

} // namespace platform::testing
