#pragma once
#include <span>
#include <vector>

#include "model/variables/Catalogue.h"

namespace vantrel {

class MenuList;

// The six categories of video effects, each with its members, in menu
// order; a catalogued video type no category names joins the last.
struct EffectCategory {
    int captionId;
    std::vector<int> types;
};
std::vector<EffectCategory> VideoEffectCategories();

// "Add Video Effect": a submenu per category; "Add Audio Effect": every
// audio type. Entries are the types (their name's string id).
MenuList VideoEffectMenu();
MenuList AudioEffectMenu();

}  // namespace vantrel
