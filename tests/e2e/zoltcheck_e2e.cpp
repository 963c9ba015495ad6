// Runs the real zoltcheck (the host build, or the .exe under Wine) on scratch
// copies of the sample stick and of broken variants of it.
//   ZOLT_RUN         the command that starts the checker
//   ZOLT_PATH_STYLE  "posix", or "wine" when paths show as Z:\...
//   ZOLT_SCRATCH     a folder for the scratch sticks

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "unit/test_support.h"

namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;
using test_support::WriteBytes;

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

struct ScratchStick {
    std::string root;
    std::string ams;

    explicit ScratchStick(const std::string& name) {
        const fs::path base = fs::path(Env("ZOLT_SCRATCH")) / name;
        fs::remove_all(base);
        fs::create_directories(base);
        fs::copy(ZOLT_SAMPLE_STICK, base / "stick", fs::copy_options::recursive);
        fs::create_directories(base / "stick" / "TOOLS");
        root = (base / "stick").string();
        ams = root + "/OPEN-R/APP/PC/AMS";
    }

    // A path as the checker shows it.
    std::string Shown(const std::string& path) const {
        if (Env("ZOLT_PATH_STYLE") != "wine") {
            return path;
        }
        std::string shown = "Z:" + path;
        for (char& c : shown) {
            if (c == '/') {
                c = '\\';
            }
        }
        return shown;
    }

    RunResult Check(const std::string& args) const {
        RunResult run;
        const std::string dir = root + "/..";
        const std::string command = "cd '" + root + "/TOOLS' && " + Env("ZOLT_RUN") + " " + args +
                                    " >'" + dir + "/out' 2>'" + dir + "/err' </dev/null";
        const int status = std::system(command.c_str());
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadBytes(dir + "/out");
        run.err = ReadBytes(dir + "/err");
        return run;
    }
};

TEST(Zoltcheck, ChecksTheSampleStick) {
    ScratchStick stick("sample");
    for (const char* args : {"", "../OPEN-R/APP/PC/AMS/R-CODE.R"}) {
        SCOPED_TRACE(args);
        const RunResult run = stick.Check(args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, "OK: 12 ZOLT records (ERS-210)\n");
        EXPECT_EQ(run.err, "");
    }
}

TEST(Zoltcheck, ListsTheEvents) {
    ScratchStick stick("events");
    const RunResult run = stick.Check("--events");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "event 0: Touch/Head sensor\n"
              "line: PLAY ACTION SIT\n"
              "line: WAIT\n"
              "line: SET Eye_L1 1\n"
              "line: SET Eye_R1 1\n"
              "line: WAIT 1000 // Wait 1 second\n"
              "event 1: Touch/Back sensor\n"
              "pre: IF Back_ON == 1 THEN\n"
              "line: PLAY ACTION+ WAG_DANCE // my little dance\n"
              "line: WAIT\n"
              "event 2: Touch/Chin sensor\n"
              "pre: IF Chin_ON == 1 THEN\n"
              "event 3: Touch/Paw pads\n"
              "event 4: Sight/Pink ball\n"
              "line: PLAY ACTION SEARCH_BALL\n"
              "line: WAIT\n"
              "line: PLAY ACTION KICK 30 1000 // Kick Left\n"
              "line: WAIT\n"
              "line: CALL RCR_TakeAPicture\n"
              "event 5: Sight/Lost ball\n"
              "line: PLAY ACTION STOP_WALK\n"
              "line: // look around before giving up\n"
              "line: PLAY ACTION MOVE_HEAD 0 30\n"
              "line: WAIT 2000 // Wait 2 seconds\n"
              "event 6: Sound/Clap\n"
              "line: PLAY ACTION ALONE_DANCE\n"
              "line: WAIT\n"
              "event 7: Sound/Name called\n"
              "line: CALL RCR_SayDogsName\n"
              "line: PLAY ACTION TURN 180 // Turn Around\n"
              "line: WAIT\n"
              "event 8: Status/Battery low\n"
              "line: SET Warn 1\n"
              "line: PLAY ACTION LIE\n"
              "line: WAIT\n"
              "event 9: Status/Picked up\n"
              "line: // Wait until head pressed\n"
              "line: SET Head_ON 0\n"
              "line: WHILE Head_ON == 0\n"
              "line: WAIT 50 // kill time\n"
              "line: WEND\n"
              "line: \n"
              "line: PLAY ACTION+ HAPPY_SONG_NOWAIT\n"
              "event 10: Time/Every minute\n"
              "line: PLAY ACTION+ YAWN // stretch a little\n"
              "line: WAIT\n"
              "event 11: Bedtime\n"
              "line: PLAY ACTION LIE\n"
              "line: WAIT\n"
              "line: SET Eye_L1 0\n"
              "line: SET Eye_R1 0\n"
              "subroutine:  CALL RCR_Howl // Howl like a wolf\n"
              "subroutine:  CALL Cheer // Cheer with the owner\n"
              "subroutine: CALL RCR_Bark\n");
}

// Replaces the one occurrence of `from`.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    EXPECT_EQ(text.find(from, at + 1), std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(Zoltcheck, WritesWhatASaveWouldWrite) {
    ScratchStick stick("write");
    const std::string original = ReadBytes(stick.ams + "/R-CODE.R");
    // Bodies are regenerated in the record's indent plus two blanks; a //++
    // line inside a record is not written back there.
    std::string expected = original;
    expected = Replaced(expected, "\t\tSET Warn 1\r\n\t\tPLAY ACTION LIE\r\n\t\tWAIT\r\n",
                        "\t  SET Warn 1\r\n\t  PLAY ACTION LIE\r\n\t  WAIT\r\n");
    expected = Replaced(expected, "      WAIT 50 // kill time\r\n    WEND\r\n\r\n",
                        "    WAIT 50 // kill time\r\n    WEND\r\n    \r\n");
    expected = Replaced(expected, "    //++ CALL RCR_Howl // Howl like a wolf\r\n", "");
    const RunResult run = stick.Check("--write");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, expected);

    // What was written reads back and is written again byte for byte.
    WriteBytes(stick.ams + "/R-CODE.R", run.out);
    const RunResult again = stick.Check("--write");
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, expected);
}

// One palette row as the checker prints it: kind, shown text, code lines.
std::string Row(int kind, const std::string& shown, std::initializer_list<const char*> lines) {
    std::string row = std::to_string(kind) + "\t" + shown;
    for (const char* line : lines) {
        row += "\t";
        row += line;
    }
    return row + "\n";
}

std::string System(const std::string& shown, const std::string& name, const std::string& comment,
                   int kind = 2) {
    return Row(kind, shown, {("PLAY ACTION " + name + " // " + comment).c_str(), "WAIT"});
}

TEST(Zoltcheck, FillsEveryPaletteCategoryOfTheSampleStick) {
    ScratchStick stick("palette");
    const std::string standard =
        Row(2, "Sit Down", {"PLAY ACTION SIT", "WAIT"}) +
        Row(2, "Stand Up", {"PLAY ACTION STAND", "WAIT"}) +
        Row(2, "Lie Down", {"PLAY ACTION LIE", "WAIT"}) +
        Row(1, "Turn Left", {"PLAY ACTION TURN 90 // Turn Left", "WAIT"}) +
        Row(1, "Turn Right", {"PLAY ACTION TURN -90 // Turn Right", "WAIT"}) +
        Row(1, "Turn Around", {"PLAY ACTION TURN 180 // Turn Around", "WAIT"}) +
        Row(1, "Kick Left", {"PLAY ACTION KICK 30 1000 // Kick Left", "WAIT"}) +
        Row(1, "Kick Right", {"PLAY ACTION KICK -30 1000 // Kick Right", "WAIT"}) +
        Row(1, "Walk .1 metre", {"PLAY ACTION WALK 0 100", "WAIT"}) +
        Row(1, "Walk .5 metre", {"PLAY ACTION WALK 0 500", "WAIT"}) +
        Row(1, "Walk 1 inches", {"PLAY ACTION WALK 0 1000", "WAIT"}) +
        Row(0, "Wait 1/4 sec", {"WAIT 250 // Wait 1/4 second"}) +
        Row(0, "Wait 1/2 sec", {"WAIT 500 // Wait 1/2 second"}) +
        Row(0, "Wait 1 sec", {"WAIT 1000 // Wait 1 second"}) +
        Row(0, "Wait 2 sec", {"WAIT 2000 // Wait 2 seconds"}) + Row(0, "WAIT to finish", {"WAIT"}) +
        Row(2, "Stop playing", {"PLAY ACTION STOP  // Stop playing"});
    const std::string leds =
        Row(4, "Spotlight on (220)", {"SET Spot 1"}) +
        Row(4, "Spotlight off (220)", {"SET Spot 0"}) +
        Row(4, "Face LEDs on (2x0)",
            {"SET Eye_L1 1", "SET Eye_R1 1", "SET Eye_L2 1", "SET Eye_R2 1", "SET Eye_L3 1",
             "SET Eye_R3 1"}) +
        Row(4, "Face LEDs off (2x0)",
            {"SET Eye_L1 0", "SET Eye_R1 0", "SET Eye_L2 0", "SET Eye_R2 0", "SET Eye_L3 0",
             "SET Eye_R3 0"}) +
        Row(4, "Horn LEDs on (31x)", {"SET Horn_G 1", "SET Horn_O 1", "SET Horn_B 1"}) +
        Row(4, "Horn LEDs off (31x)", {"SET Horn_G 0", "SET Horn_O 0", "SET Horn_B 0"}) +
        Row(4, "Warning LED on (all)", {"SET Warn 1"}) +
        Row(4, "Warning LED off (all)", {"SET Warn 0"});
    const std::string user =
        Row(3, "WAG_DANCE", {"PLAY ACTION+ WAG_DANCE // my little dance", "WAIT"}) +
        Row(3, "HAPPY_SONG_NOWAIT",
            {"PLAY ACTION+ HAPPY_SONG_NOWAIT // sing while doing something else"}) +
        Row(3, "YAWN", {"PLAY ACTION+ YAWN // stretch a little", "WAIT"}) +
        Row(3, "CHEER", {"PLAY ACTION+ CHEER // cheer with the owner", "WAIT"}) +
        Row(3, "GREETING", {"PLAY ACTION+ GREETING", "WAIT"});
    const std::string subroutines =
        Row(5, "Take a picture", {"CALL RCR_TakeAPicture"}) +
        Row(5, "Record dogs name", {"CALL RCR_RecordDogsName"}) +
        Row(5, "Say dogs name", {"CALL RCR_SayDogsName"}) +
        Row(5, "Record owners name", {"CALL RCR_RecordOwnersName"}) +
        Row(5, "Say owners name", {"CALL RCR_SayOwnersName"}) +
        Row(6, "Wait until head pressed",
            {"// Wait until head pressed", "SET Head_ON 0", "WHILE Head_ON == 0",
             "  WAIT 50 // kill time", "WEND"}) +
        Row(6, "Howl like a wolf", {" CALL RCR_Howl // Howl like a wolf"}) +
        Row(6, "Cheer with the owner", {" CALL Cheer // Cheer with the owner"}) +
        Row(5, "CALL RCR_Bark", {"CALL RCR_Bark"});
    const std::string expected[24] = {
        standard,
        leds,
        user,
        System("DANCE", "ALONE_DANCE", "dance alone") + System("SING", "ALONE_SING", "sing a song"),
        System("HANDSHAKE", "HUMAN_HANDSHAKE", "give paw") +
            Row(2, "HIGHFIVE", {"PLAY ACTION HUMAN_HIGHFIVE", "WAIT"}),
        System("GREET", "ROBOT_GREET", "sniff the other robot"),
        "",
        System("HAPPY", "EMOTION_HAPPY", "wag the tail") +
            System("ANGRY", "EMOTION_ANGRY", "growl"),
        System("SLEEPY", "FEELING_SLEEPY", "yawn and stretch"),
        System("SHAKE_BODY", "PHYSIO_SHAKE_BODY", "shake off the water"),
        System("PLAY", "REQUEST_PLAY", "ask to play"),
        Row(2, "SNEEZE", {"PLAY ACTION REFLEX_SNEEZE", "WAIT"}),
        System("LOOK_LEFT", "INTENT_LOOK_LEFT", "look to the left"),
        System("POUNCE", "OFF_POUNCE", "pounce on the ball"),
        System("BARK", "GUARD_BARK", "bark at a stranger"),
        System("HEAD", "CONTACT_HEAD", "head touched"),
        System("PAW", "TACTILE_PAW", "paw touched"),
        System("SIT_TO_LIE", "CHGPOS_SIT_TO_LIE", "from sitting to lying"),
        System("BALL", "SEARCH_BALL", "look for the pink ball", 1),
        System("BALL", "FOLLOW_BALL", "chase the pink ball"),
        System("RESTART", "SYS_RESTART", "restart Pupalong"),
        System("BANZAI", "O2_BANZAI", "banzai (ERS-2x0 only)"),
        System("FOLLOWBALL", "FOLLOWBALL", "old name of FOLLOW_BALL") +
            System("BARK", "BARK", "bark once") +
            Row(1, "WALK_SLOW_NOWAIT", {"PLAY ACTION WALK_SLOW_NOWAIT // start walking slowly"}),
        subroutines,
    };
    for (int category = 0; category < 24; ++category) {
        SCOPED_TRACE("category " + std::to_string(category));
        const RunResult run = stick.Check("--palette " + std::to_string(category));
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, expected[category]);
    }

    fs::remove(stick.ams + "/ACTION.CFG");
    const RunResult noUser = stick.Check("--palette 2");
    EXPECT_EQ(noUser.exitCode, 0);
    EXPECT_EQ(noUser.out, "");
    EXPECT_EQ(noUser.err, "This RCODE stick does not contain any USER actions\n");
}

TEST(Zoltcheck, ReportsBrokenSticks) {
    const struct {
        const char* name;
        std::function<void(const ScratchStick&)> breakIt;
        std::function<std::string(const ScratchStick&)> message;
    } cases[] = {
        {"no-action-ext", [](const ScratchStick& s) { fs::remove(s.ams + "/ACTION.EXT"); },
         [](const ScratchStick& s) {
             return "ERROR: Missing ACTION.EXT - please reinstall\n" +
                    s.Shown(s.ams + "/ACTION.EXT");
         }},
        {"wrong-tag", [](const ScratchStick& s) { WriteBytes(s.ams + "/ACTION.EXT", "ERS-7\r\n"); },
         [](const ScratchStick& s) {
             return "ERROR: Invalid ACTION.EXT (bad ERS-??? tag) - please reinstall\n" +
                    s.Shown(s.ams + "/ACTION.EXT");
         }},
        {"no-tag", [](const ScratchStick& s) { WriteBytes(s.ams + "/ACTION.EXT", "DANCE 1 0\n"); },
         [](const ScratchStick& s) {
             return "ERROR: Invalid ACTION.EXT (no ERS-??? tag) - please reinstall\n" +
                    s.Shown(s.ams + "/ACTION.EXT");
         }},
        {"no-marker",
         [](const ScratchStick& s) { fs::remove(s.root + "/OPEN-R/MW/CONF/ERS-210.MWC"); },
         [](const ScratchStick&) {
             return std::string(
                 "ERROR: Invalid ACTION.EXT (does not match model number ERS-210) - please "
                 "reinstall\n");
         }},
        // A save cut short between the two steps of its last replace: the
        // checker tells where the program is and leaves it there.
        {"unplaced-program",
         [](const ScratchStick& s) { fs::rename(s.ams + "/R-CODE.R", s.ams + "/R-CODE.$$$"); },
         [](const ScratchStick& s) {
             return "ERROR: Can't open R-CODE.R file\n" + s.Shown(s.ams + "/R-CODE.R") +
                    "\nA program that zolt saved is there as " + s.Shown(s.ams + "/R-CODE.$$$") +
                    "; start zolt to put it in place.";
         }},
        {"unplaced-program-cut-short",
         [](const ScratchStick& s) {
             fs::remove(s.ams + "/R-CODE.R");
             WriteBytes(s.ams + "/R-CODE.$$$", "//{ \"a\"\r\nWA");
         },
         [](const ScratchStick& s) {
             return "ERROR: Can't open R-CODE.R file\n" + s.Shown(s.ams + "/R-CODE.R");
         }},
        {"empty-program", [](const ScratchStick& s) { WriteBytes(s.ams + "/R-CODE.R", ""); },
         [](const ScratchStick& s) {
             return "ERROR: Can't open R-CODE.R file\n" + s.Shown(s.ams + "/R-CODE.R");
         }},
        {"no-records",
         [](const ScratchStick& s) { WriteBytes(s.ams + "/R-CODE.R", ":START\r\nWAIT\r\n"); },
         [](const ScratchStick& s) {
             return "R-CODE program installed is not ZOLT enabled\n" + s.Shown(s.ams + "/R-CODE.R");
         }},
        {"open-record",
         [](const ScratchStick& s) {
             WriteBytes(s.ams + "/R-CODE.R", ":START\r\n//{ \"a\"\r\nWAIT\r\n");
         },
         [](const ScratchStick& s) {
             return "ERROR: Invalid syntax in R-CODE.R file\n" + s.Shown(s.ams + "/R-CODE.R") +
                    " (missing //} for last ZOLT around line -1)";
         }},
        {"bad-pre",
         [](const ScratchStick& s) {
             WriteBytes(s.ams + "/R-CODE.R", "//{ \"a\" PRE\r\nIF A\r\nWAIT\r\n//}\r\n");
         },
         [](const ScratchStick& s) {
             return "ERROR: Invalid syntax in R-CODE.R file\n" + s.Shown(s.ams + "/R-CODE.R") +
                    " (bad PRE clause - first line should end in //[PRE] around line 4)";
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchStick stick(c.name);
        c.breakIt(stick);
        for (const char* args : {"", "--events", "--write"}) {
            SCOPED_TRACE(args);
            const RunResult run = stick.Check(args);
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, c.message(stick) + "\n");
        }
        EXPECT_EQ(fs::exists(stick.ams + "/R-CODE.$$$"),
                  std::string(c.name).starts_with("unplaced"));
    }
}

TEST(Zoltcheck, RefusesWrongUsage) {
    ScratchStick stick("usage");
    for (const char* args : {"--bogus", "--events A B", "A B", "--palette", "--palette 24",
                             "--palette -1", "--palette x", "--palette 1 A B"}) {
        SCOPED_TRACE(args);
        const RunResult run = stick.Check(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with("usage: zoltcheck [PROGRAM]\n")) << run.err;
    }
}

}  // namespace
