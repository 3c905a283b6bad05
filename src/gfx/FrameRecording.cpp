#include "gfx/FrameRecording.h"

#include <bit>
#include <cstdio>
#include <cstring>

#include "base/FilePath.h"

namespace gfx {

namespace {

// The file: the magic, then images (width, height, texels), vertices and calls, each list led by
// its count, all little-endian as the memory of the machines we build for.
static_assert(std::endian::native == std::endian::little, "recordings are written as they lie in memory");
static_assert(sizeof(FrameRecording::Call) == 24, "a recorded call is six 32-bit words");
constexpr char kMagic[8] = {'V', 'M', 'F', 'R', 'A', 'M', 'E', '1'};
constexpr int kLargestSide = 4096;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

template <typename T>
bool Write(std::FILE* file, const T* items, std::size_t count) {
    return count == 0 || std::fwrite(items, sizeof(T), count, file) == count;
}

// Reads a count-led list, refusing counts the rest of the file cannot hold.
template <typename T>
bool ReadList(std::FILE* file, long remaining, std::vector<T>& items) {
    std::uint32_t count = 0;
    if (std::fread(&count, sizeof count, 1, file) != 1 ||
        static_cast<unsigned long long>(count) * sizeof(T) > static_cast<unsigned long long>(remaining)) {
        return false;
    }
    items.resize(count);
    return count == 0 || std::fread(items.data(), sizeof(T), count, file) == count;
}

long Remaining(std::FILE* file, long size) { return size - std::ftell(file); }

bool IsSide(int side) { return side >= 1 && side <= kLargestSide && std::has_single_bit(static_cast<unsigned>(side)); }

}  // namespace

void FrameRecording::Reset() {
    images_.clear();
    vertices_.clear();
    calls_.clear();
}

std::uint32_t FrameRecording::AddImage(const Texture& texture) {
    const std::uint32_t* texels = texture.Pixels();
    images_.push_back({texture.Width(), texture.Height(),
                       std::vector<std::uint32_t>(texels, texels + std::size_t(texture.Width()) * texture.Height())});
    return static_cast<std::uint32_t>(images_.size() - 1);
}

void FrameRecording::AddCall(const Call& call) { calls_.push_back(call); }

std::uint32_t FrameRecording::AddVertices(const void* vertices, std::uint32_t stride, std::uint32_t count) {
    const auto first = static_cast<std::uint32_t>(vertices_.size());
    const auto* bytes = static_cast<const std::uint8_t*>(vertices);
    for (std::uint32_t i = 0; i < count; ++i) {
        QuadVertex vertex;
        std::memcpy(&vertex, bytes + std::size_t(stride) * i, sizeof vertex);
        vertices_.push_back(vertex);
    }
    return first;
}

bool FrameRecording::Save(const std::string& path, std::string& error) const {
    File file(OpenFile(path, "wb"));
    bool written = file != nullptr && Write(file.get(), kMagic, sizeof kMagic);
    const auto count = [&](std::size_t n) {
        const auto value = static_cast<std::uint32_t>(n);
        written = written && Write(file.get(), &value, 1);
    };
    count(images_.size());
    for (const Image& image : images_) {
        const std::int32_t sides[2] = {image.width, image.height};
        written = written && Write(file.get(), sides, 2) && Write(file.get(), image.texels.data(), image.texels.size());
    }
    count(vertices_.size());
    written = written && Write(file.get(), vertices_.data(), vertices_.size());
    count(calls_.size());
    written = written && Write(file.get(), calls_.data(), calls_.size());
    if (!written || std::fclose(file.release()) != 0) {
        error = "cannot write the frame recording '" + path + "'";
        return false;
    }
    return true;
}

bool FrameRecording::Load(const std::string& path, std::string& error) {
    Reset();
    File file(OpenFile(path, "rb"));
    if (file == nullptr) {
        error = "cannot open the frame recording '" + path + "'";
        return false;
    }
    std::fseek(file.get(), 0, SEEK_END);
    const long size = std::ftell(file.get());
    std::fseek(file.get(), 0, SEEK_SET);
    char magic[sizeof kMagic] = {};
    std::uint32_t imageCount = 0;
    bool read = std::fread(magic, 1, sizeof magic, file.get()) == sizeof magic &&
                std::memcmp(magic, kMagic, sizeof magic) == 0 &&
                std::fread(&imageCount, sizeof imageCount, 1, file.get()) == 1;
    for (std::uint32_t i = 0; read && i < imageCount; ++i) {
        std::int32_t sides[2] = {};
        read = std::fread(sides, sizeof sides, 1, file.get()) == 1 && IsSide(sides[0]) && IsSide(sides[1]);
        if (read) {
            Image image{sides[0], sides[1], {}};
            const long bytes = long{sides[0]} * sides[1] * long{sizeof(std::uint32_t)};
            read = bytes <= Remaining(file.get(), size);
            if (read) {
                image.texels.resize(std::size_t(sides[0]) * sides[1]);
                read = std::fread(image.texels.data(), sizeof(std::uint32_t), image.texels.size(), file.get()) ==
                       image.texels.size();
                images_.push_back(std::move(image));
            }
        }
    }
    read = read && ReadList(file.get(), Remaining(file.get(), size), vertices_) &&
           ReadList(file.get(), Remaining(file.get(), size), calls_) && Remaining(file.get(), size) == 0;
    if (!read) {
        Reset();
        error = "'" + path + "' is not a whole frame recording";
        return false;
    }
    if (!Valid(error)) {
        Reset();
        error = "'" + path + "': " + error;
        return false;
    }
    return true;
}

// Every call must name things the recording holds, so that replaying never reads past it.
bool FrameRecording::Valid(std::string& error) const {
    for (const Call& call : calls_) {
        if (call.kind > CallKind::Draw) {
            error = "unknown call";
            return false;
        }
        if (call.kind == CallKind::SetTexture && call.value != kNoTexture && call.value >= images_.size()) {
            error = "a texture index past the recorded images";
            return false;
        }
        if (call.kind == CallKind::Draw &&
            (call.count == 0 || std::uint64_t{call.first} + call.count + 2 > vertices_.size())) {
            error = "a draw past the recorded vertices";
            return false;
        }
    }
    return true;
}

std::vector<std::unique_ptr<Texture>> FrameRecording::MakeTextures(Device& device) const {
    std::vector<std::unique_ptr<Texture>> textures;
    for (const Image& image : images_) {
        std::unique_ptr<Texture> texture = device.CreateTexture(image.width, image.height);
        if (texture != nullptr) {
            std::memcpy(texture->Lock(), image.texels.data(), image.texels.size() * sizeof(std::uint32_t));
            texture->Unlock();
        }
        textures.push_back(std::move(texture));
    }
    return textures;
}

void FrameRecording::Play(Device& device, const std::vector<std::unique_ptr<Texture>>& textures) const {
    for (const Call& call : calls_) {
        switch (call.kind) {
        case CallKind::Clear: device.Clear(call.value, 1.0f, 0); break;
        case CallKind::BeginScene: device.BeginScene(); break;
        case CallKind::EndScene: device.EndScene(); break;
        case CallKind::Present: device.Present(); break;
        case CallKind::SetFVF: device.SetFVF(call.value); break;
        case CallKind::SetTexture:
            device.SetTexture(call.stage, call.value == kNoTexture ? nullptr : textures[call.value].get());
            break;
        case CallKind::SetRenderState: device.SetRenderState(RenderState{call.state}, call.value); break;
        case CallKind::SetSamplerState: device.SetSamplerState(call.stage, SamplerState{call.state}, call.value); break;
        case CallKind::SetTextureStageState:
            device.SetTextureStageState(call.stage, TextureStageState{call.state}, call.value);
            break;
        case CallKind::Draw:
            device.DrawPrimitiveUP(PrimitiveType{call.value}, call.count, &vertices_[call.first], sizeof(QuadVertex));
            break;
        }
    }
}

}  // namespace gfx
