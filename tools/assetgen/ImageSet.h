#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Canvas.h"
#include "Wording.h"
#include "resource/ImageVariant.h"

namespace assetgen {

struct NamedImage {
    std::string name;
    Canvas picture;
};

// Every generated picture under its pack entry name, in the order the families painted them.
class ImageSet {
public:
    void Add(std::string name, Canvas picture) { images_.push_back({std::move(name), std::move(picture)}); }
    // A picture with words: painted in Japanese under the name, and in every other language
    // under its variant's name.
    void AddWorded(const std::string& name, const std::function<Canvas(Language)>& paint) {
        Add(name, paint(Language::Japanese));
        Add(image_variant::NameIn(name, CodeOf(Language::English)), paint(Language::English));
    }
    const std::vector<NamedImage>& Images() const { return images_; }
    // The picture painted under the name, or null; lets a family reuse another's art.
    const Canvas* Find(const std::string& name) const {
        for (const NamedImage& image : images_) {
            if (image.name == name) {
                return &image.picture;
            }
        }
        return nullptr;
    }

private:
    std::vector<NamedImage> images_;
};

// The art families; each adds its pictures to the set.
void PaintUiImages(ImageSet& set);
void PaintTitleImages(ImageSet& set);
void PaintHudImages(ImageSet& set);
void PaintFieldImages(ImageSet& set);
void PaintEnemyImages(ImageSet& set);
void PaintTowerImages(ImageSet& set);
void PaintPortraitImages(ImageSet& set);
void PaintEffectImages(ImageSet& set);

// The game's crest ("ruvani.png" is the 128-pixel one) at any size, for the desktop icons.
Canvas PaintCrest(int size);

inline ImageSet PaintAllImages() {
    ImageSet set;
    PaintTitleImages(set);
    PaintUiImages(set);
    PaintEnemyImages(set);  // before the HUD, whose wave icons show the enemies
    PaintHudImages(set);
    PaintFieldImages(set);
    PaintTowerImages(set);
    PaintPortraitImages(set);
    PaintEffectImages(set);
    return set;
}

}  // namespace assetgen
