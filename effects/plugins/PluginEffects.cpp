// "Plugin Effects": effects whose processing lives in a plugin library.
// The effect remembers its plugin by library name in its private block, so
// a saved project finds the same plugin again whatever the load order.
#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string>

#include "effects/Families.h"
#include "plugins/api/PluginTables.h"
#include "model/variables/Catalogue.h"

namespace vantrel {

namespace {

constexpr std::size_t kNameOffset = 8;
constexpr std::size_t kBlockSize = kNameOffset + 256;

// What video and audio plugin effects share: the plugin object, its
// parameters as variables, and the block that names the library.
template <class Base, class Plugin>
class PluginEffect : public Base {
public:
    PluginEffect(int type, const PluginTables* tables) : Base(type), tables_(tables) {
        block_.fill(0);
        block_[4] = std::is_same_v<Plugin, VideoPlugin> ? 0 : 1;
    }
    ~PluginEffect() override { Unbind(); }

    bool Bind(int index) {
        if (!tables_) return false;
        Plugin* plugin = Create(index);
        if (!plugin) return false;
        Unbind();
        plugin_ = plugin;
        const PluginEntry* entry = tables_->Table(kKind).At(index);
        const std::size_t n = std::min(entry->baseName.size(), kBlockSize - kNameOffset - 1);
        std::memset(block_.data() + kNameOffset, 0, kBlockSize - kNameOffset);
        std::memcpy(block_.data() + kNameOffset, entry->baseName.data(), n);
        DeclareParameters();
        return true;
    }
    bool HasPlugin() const { return plugin_ != nullptr; }

protected:
    static constexpr PluginKind kKind = std::is_same_v<Plugin, VideoPlugin> ? PluginKind::Video : PluginKind::Audio;

    std::span<std::uint8_t> PrivateBlock() override { return block_; }
    void PrivateBlockLoaded() override {
        block_[kBlockSize - 1] = 0;
        const std::string name(reinterpret_cast<const char*>(block_.data() + kNameOffset));
        if (!tables_ || name.empty()) return;
        const PluginTable& table = tables_->Table(kKind);
        for (int i = 0; i < table.Count(); ++i)
            if (table.At(i)->baseName == name) {
                Bind(i);
                return;
            }
    }

    std::span<PluginParameter> Parameters() const {
        if (!plugin_ || !plugin_->parameters || plugin_->parameterCount <= 0) return {};
        return {plugin_->parameters, std::size_t(std::min(plugin_->parameterCount, VariableTable::kMaxVariables))};
    }

    // Every entry gets the value of its variable at the effect's time (the
    // clip's time, so plugin parameters follow their keys like any other),
    // or its default when the variable is missing.
    void WriteValues() { WritePluginValues(this->Table(), this->Table().Time(), Parameters()); }

    Plugin* plugin_ = nullptr;

private:
    Plugin* Create(int index) const {
        if constexpr (std::is_same_v<Plugin, VideoPlugin>) return tables_->CreateVideoPlugin(index);
        else return tables_->CreateAudioPlugin(index);
    }
    void Unbind() {
        if (plugin_) plugin_->release();
        plugin_ = nullptr;
    }
    void DeclareParameters() { DeclarePluginParameters(this->Table(), Parameters()); }

    const PluginTables* tables_;
    std::array<std::uint8_t, kBlockSize> block_{};
};

class PluginVideoEffect final : public PluginEffect<VideoEffect, VideoPlugin> {
public:
    using PluginEffect::PluginEffect;

protected:
    int Apply(Surface& source, Surface& destination, const Rect& rect) override {
        if (!plugin_) return 0;
        WriteValues();
        const LockedFrame in{source.Width(), source.Height(), source.Pitch(), source.Row(0)};
        LockedFrame out{destination.Width(), destination.Height(), destination.Pitch(), destination.Row(0)};
        return plugin_->process(in, out, PluginRect{rect.left, rect.top, rect.right, rect.bottom}) ? 1 : 0;
    }
};

class PluginAudioEffect final : public PluginEffect<AudioEffect, AudioPlugin> {
public:
    using PluginEffect::PluginEffect;
    int Process(const void* input, void* output, std::int32_t byteCount) override {
        if (!plugin_ || !input || !output || byteCount < 0) return 0;
        WriteValues();
        return plugin_->process(input, output, byteCount) ? 1 : 0;
    }
};

}  // namespace

std::unique_ptr<VideoEffect> MakePluginVideo(int type, const EffectContext& context) {
    return std::make_unique<PluginVideoEffect>(type, context.plugins);
}
std::unique_ptr<AudioEffect> MakePluginAudio(int type, const EffectContext& context) {
    return std::make_unique<PluginAudioEffect>(type, context.plugins);
}

bool BindPluginEffect(Effect& effect, int index) {
    if (auto* video = dynamic_cast<PluginVideoEffect*>(&effect)) return video->Bind(index);
    if (auto* audio = dynamic_cast<PluginAudioEffect*>(&effect)) return audio->Bind(index);
    return false;
}

}  // namespace vantrel
