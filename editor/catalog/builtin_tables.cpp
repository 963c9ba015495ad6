#include "editor/catalog/builtin_tables.h"

namespace zolt {

namespace {

// Code lines are joined by the byte 255, written here as "\xFF" "...".
constexpr CatalogEntry kStandard[] = {
    {"Sit Down",
     "PLAY ACTION SIT\xFF"
     "WAIT"},
    {"Stand Up",
     "PLAY ACTION STAND\xFF"
     "WAIT"},
    {"Lie Down",
     "PLAY ACTION LIE\xFF"
     "WAIT"},
    {"Turn Left",
     "PLAY ACTION TURN 90 // Turn Left\xFF"
     "WAIT"},
    {"Turn Right",
     "PLAY ACTION TURN -90 // Turn Right\xFF"
     "WAIT"},
    {"Turn Around",
     "PLAY ACTION TURN 180 // Turn Around\xFF"
     "WAIT"},
    {"Kick Left",
     "PLAY ACTION KICK 30 1000 // Kick Left\xFF"
     "WAIT"},
    {"Kick Right",
     "PLAY ACTION KICK -30 1000 // Kick Right\xFF"
     "WAIT"},
    {"Walk .1 metre",
     "PLAY ACTION WALK 0 100\xFF"
     "WAIT"},
    {"Walk .5 metre",
     "PLAY ACTION WALK 0 500\xFF"
     "WAIT"},
    {"Walk 1 inches",
     "PLAY ACTION WALK 0 1000\xFF"
     "WAIT"},
    {"Wait 1/4 sec", "WAIT 250 // Wait 1/4 second"},
    {"Wait 1/2 sec", "WAIT 500 // Wait 1/2 second"},
    {"Wait 1 sec", "WAIT 1000 // Wait 1 second"},
    {"Wait 2 sec", "WAIT 2000 // Wait 2 seconds"},
    {"WAIT to finish", "WAIT"},
    {"Stop playing", "PLAY ACTION STOP  // Stop playing"},
};

constexpr CatalogEntry kLeds[] = {
    {"Spotlight on (220)", "SET Spot 1"},
    {"Spotlight off (220)", "SET Spot 0"},
    {"Face LEDs on (2x0)",
     "SET Eye_L1 1\xFFSET Eye_R1 1\xFFSET Eye_L2 1\xFFSET Eye_R2 1\xFFSET Eye_L3 1\xFFSET Eye_R3 "
     "1"},
    {"Face LEDs off (2x0)",
     "SET Eye_L1 0\xFFSET Eye_R1 0\xFFSET Eye_L2 0\xFFSET Eye_R2 0\xFFSET Eye_L3 0\xFFSET Eye_R3 "
     "0"},
    {"Horn LEDs on (31x)", "SET Horn_G 1\xFFSET Horn_O 1\xFFSET Horn_B 1"},
    {"Horn LEDs off (31x)", "SET Horn_G 0\xFFSET Horn_O 0\xFFSET Horn_B 0"},
    {"Warning LED on (all)", "SET Warn 1"},
    {"Warning LED off (all)", "SET Warn 0"},
};

constexpr CatalogEntry kSubroutines[] = {
    {"Take a picture", "CALL RCR_TakeAPicture"},
    {"Record dogs name", "CALL RCR_RecordDogsName"},
    {"Say dogs name", "CALL RCR_SayDogsName"},
    {"Record owners name", "CALL RCR_RecordOwnersName"},
    {"Say owners name", "CALL RCR_SayOwnersName"},
    {"Wait until head pressed",
     "// Wait until head pressed\xFFSET Head_ON 0\xFFWHILE Head_ON == 0\xFF  WAIT 50 // kill "
     "time\xFFWEND"},
};

constexpr SystemCategory kSystemCategories[kSystemCategoryCount] = {
    {"ALONE"},   {"HUMAN"},  {"ROBOT"},  {"OBJECT"}, {"EMOTION"}, {"FEELING"}, {"PHYSIO"},
    {"REQUEST"}, {"REFLEX"}, {"INTENT"}, {"OFF"},    {"GUARD"},   {"CONTACT"}, {"TACTILE"},
    {"CHGPOS"},  {"SEARCH"}, {"FOLLOW"}, {"SYS"},    {"O2"},
};

}  // namespace

std::span<const CatalogEntry> StandardActions() {
    return kStandard;
}
std::span<const CatalogEntry> LedActions() {
    return kLeds;
}
std::span<const CatalogEntry> SubroutineActions() {
    return kSubroutines;
}
std::span<const SystemCategory> SystemCategories() {
    return kSystemCategories;
}

}  // namespace zolt
