// world_test.cpp -- the world's rules frame by frame: generator, trails, forks, explosions, cursor
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "display/pixel.h"
#include "game/random.h"
#include "game/world.h"
#include "tests/support/world_reset.h"

namespace {

// One frame of rules in the order the frame runs them, drawing left out.
void AdvanceFrame(bool held, int32_t dx = 0, int32_t dy = 0)
{
    buttonHeld = held;
    if (gameState == 1) {
        if (buttonHeld) {
            SpawnTrail();
            SpawnExplosion();
        }
        framesSinceExplosion += 1;
        StepTrails();
        CollideTrails();
        AnimateExplosions();
    }
    AnimateCursor();
    MoveCursor(dx, dy);
}

int LiveTrails()
{
    int n = 0;
    for (const Trail &t : trails)
        n += t.active;
    return n;
}

int LiveExplosions()
{
    int n = 0;
    for (const Explosion &e : explosions)
        n += e.active;
    return n;
}

// A seed whose first draw, taken mod 300, is the fork roll 10 (or is not, when wanted false).
uint32_t SeedWithFirstRoll(bool forks)
{
    for (uint32_t seed = 1;; seed++) {
        game::srand(seed);
        if ((game::rand() % 300 == 10) == forks)
            return seed;
    }
}

// A live trail that takes no step this frame unless told: speeds 2 keep it idle for 29 frames.
void PlaceTrail(int slot, int32_t x, int32_t y, int32_t accumX = 0, int32_t accumY = 0)
{
    Trail &t = trails[slot];
    t.active = 1;
    t.head = 0;
    t.xs[0] = x;
    t.ys[0] = y;
    t.speedX = 2;
    t.speedY = 2;
    t.stepX = 1;
    t.accumX = accumX;
    t.accumY = accumY;
    t.color = 0x1234;
}

TEST(Generator, FollowsTheRuntimeRule)
{
    game::srand(1);
    for (int want : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(want, game::rand());
}

TEST(Trails, SpawnDrawsColumnSpeedsDirectionAndGreyInThatOrder)
{
    ResetWorld(7);
    int draws[5];
    for (int &d : draws)
        d = game::rand();
    game::srand(7);
    SpawnTrail();
    const Trail &t = trails[0];
    EXPECT_EQ(1, t.active);
    EXPECT_EQ(draws[0] % 1024, t.xs[0]);
    EXPECT_EQ(0, t.ys[0]);
    EXPECT_EQ(draws[1] % 10 + 2, t.speedX);
    EXPECT_EQ(draws[2] % 20 + t.speedX, t.speedY);
    EXPECT_EQ(draws[3] % 2 == 0 ? -1 : 1, t.stepX);
    int g = (16 - draws[4] % 10) * 14;
    EXPECT_EQ(Pack565(g, g, g), t.color);
}

TEST(Trails, ButtonHeldSpawnsATrailEveryFrameAndAnExplosionEverySixth)
{
    ResetWorld(99);
    int placedIn[4] = {};
    int placed = 0;
    for (int frame = 1; frame <= 25; frame++) {
        int before = LiveExplosions();
        AdvanceFrame(true);
        EXPECT_EQ(frame, LiveTrails()) << "frame " << frame;
        if (LiveExplosions() > before && placed < 4)
            placedIn[placed++] = frame;
    }
    EXPECT_EQ(7, placedIn[0]);
    EXPECT_EQ(13, placedIn[1]);
    EXPECT_EQ(19, placedIn[2]);
    EXPECT_EQ(25, placedIn[3]);
    // A trail is stepped in the frame it is spawned.
    EXPECT_EQ(trails[24].speedX, trails[24].accumX);
}

TEST(Trails, AllSlotsAreLiveWithin150HeldFrames)
{
    ResetWorld(5);
    MoveCursor(2000, 2000); // explosions in the far corner erase nothing
    for (int frame = 1; frame <= 150; frame++)
        AdvanceFrame(true);
    EXPECT_EQ(MAX_TRAILS, LiveTrails());
}

TEST(Trails, ForkWithNoFreeSlotCostsOnlyItsRoll)
{
    ResetWorld(1);
    for (int slot = 0; slot < MAX_TRAILS; slot++)
        PlaceTrail(slot, slot, 10);
    trails[3].accumY = 58;
    uint32_t seed = SeedWithFirstRoll(true);
    game::srand(seed);
    game::rand();
    int wantNext = game::rand();
    game::srand(seed);
    SpawnTrail(); // no slot: no draw
    StepTrails(); // one roll, no fork draws
    EXPECT_EQ(wantNext, game::rand());
}

struct ForkCase {
    const char *name;
    int parentSlot;
    int32_t parentY;
    int wantForkSlot;
    bool wantVisitedThisPass;
    bool wantParentAlive;
};

class ForkTest : public testing::TestWithParam<ForkCase> {};

TEST_P(ForkTest, ForkLandsInTheFirstFreeSlot)
{
    const ForkCase &c = GetParam();
    ResetWorld(1);
    // Slots below the parent are occupied except slot 0 in the "before" case.
    for (int slot = 0; slot < c.parentSlot; slot++)
        PlaceTrail(slot, 100 + slot, 10);
    if (c.wantForkSlot < c.parentSlot)
        trails[c.wantForkSlot].active = 0;
    PlaceTrail(c.parentSlot, 300, c.parentY, 0, 58);
    trails[c.parentSlot].color = 0xBEEF;

    game::srand(SeedWithFirstRoll(true));
    StepTrails();

    const Trail &fork = trails[c.wantForkSlot];
    ASSERT_EQ(1, fork.active) << c.name;
    EXPECT_EQ(300, fork.xs[0]) << c.name;
    EXPECT_EQ(c.parentY + 1, fork.ys[0]) << c.name << ": the fork starts at the parent's new head";
    EXPECT_EQ(0xBEEFu, fork.color) << c.name;
    EXPECT_EQ(0, fork.head) << c.name;
    if (c.wantVisitedThisPass) {
        EXPECT_EQ(fork.speedX, fork.accumX) << c.name;
        EXPECT_EQ(fork.speedY, fork.accumY) << c.name;
    } else {
        EXPECT_EQ(0, fork.accumX) << c.name;
        EXPECT_EQ(0, fork.accumY) << c.name;
    }
    if (c.wantForkSlot != c.parentSlot) {
        EXPECT_EQ(c.wantParentAlive, trails[c.parentSlot].active == 1) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Slots, ForkTest, testing::Values(
    ForkCase{"after", 0, 100, 1, true, true},
    ForkCase{"before", 3, 100, 0, false, true},
    ForkCase{"own slot at the bottom row", 0, 767, 0, false, false},
    ForkCase{"after a retiring parent", 2, 767, 2, false, false}),
    [](const testing::TestParamInfo<ForkCase> &info) { return std::to_string(info.index); });

TEST(Trails, ForkBornOnRow768IsRetiredOnItsFirstVisitUndrawn)
{
    ResetWorld(1);
    PlaceTrail(0, 300, 767, 0, 58);
    game::srand(SeedWithFirstRoll(true));
    StepTrails();
    ASSERT_EQ(1, trails[0].active);
    EXPECT_EQ(768, trails[0].ys[0]);
    StepTrails();
    EXPECT_EQ(0, trails[0].active);
    EXPECT_EQ(0, trails[0].head) << "a head-only trail draws no pixel";
}

TEST(Trails, VerticalStepToRow768RetiresWithoutAFork)
{
    ResetWorld(1);
    PlaceTrail(0, 300, 767, 0, 58);
    game::srand(SeedWithFirstRoll(false));
    StepTrails();
    EXPECT_EQ(0, LiveTrails());
}

TEST(Trails, HeadWrapsAtBothSideEdgesOnTheSameRow)
{
    struct Case {
        int32_t x;
        int32_t stepX;
        int32_t wantX;
    };
    for (Case c : {Case{1023, 1, 0}, Case{0, -1, 1023}}) {
        ResetWorld(1);
        PlaceTrail(0, c.x, 50, 58, 0);
        trails[0].stepX = c.stepX;
        StepTrails();
        EXPECT_EQ(1, trails[0].head);
        EXPECT_EQ(c.wantX, trails[0].xs[1]) << "from " << c.x;
        EXPECT_EQ(50, trails[0].ys[1]);
    }
}

TEST(Trails, SlowestTrailAlternatesStepsAndRetiresWithHead1536)
{
    ResetWorld(1);
    PlaceTrail(0, 512, 0);
    int firstHorizontal = 0, firstVertical = 0, frames = 0;
    while (trails[0].active && frames < 30000) {
        int32_t head = trails[0].head;
        frames++;
        StepTrails();
        if (trails[0].head != head && !firstHorizontal)
            firstHorizontal = frames;
        else if (trails[0].head != head && !firstVertical)
            firstVertical = frames;
        for (int slot = 1; slot < MAX_TRAILS; slot++)
            trails[slot].active = 0; // forks are not this test's business
    }
    EXPECT_EQ(30, firstHorizontal);
    EXPECT_EQ(31, firstVertical);
    EXPECT_EQ(0, trails[0].active);
    EXPECT_EQ(1536, trails[0].head);
    EXPECT_EQ(768, trails[0].ys[1536]);
}

TEST(Explosions, ShowsEachPictureFifteenFramesAndLives240)
{
    ResetWorld(1);
    framesSinceExplosion = 6;
    AdvanceFrame(true); // frame N: placed, drawn with picture 0
    ASSERT_EQ(1, explosions[0].active);
    for (int k = 1; k < 240; k++) {
        // What frame N+k draws is what the previous frame's animation left.
        EXPECT_EQ(k / 15, explosions[0].frame) << "frame N+" << k;
        AdvanceFrame(false);
        if (k < 239) {
            EXPECT_EQ(1, explosions[0].active) << "frame N+" << k;
        }
    }
    EXPECT_EQ(0, explosions[0].active) << "free from frame N+240";
}

TEST(Explosions, FullTablePlacesTheNextInTheFirstFrameASlotIsFree)
{
    ResetWorld(1);
    for (Explosion &e : explosions) {
        e.active = 1;
        e.frame = 5;
        e.frameCount = 16;
        e.ticksPerFrame = 15;
    }
    explosions[4].frame = 15;
    explosions[4].tick = 13;
    framesSinceExplosion = 50;
    AdvanceFrame(true); // slot 4 shows its last picture's 14th frame: still live
    EXPECT_EQ(51, framesSinceExplosion) << "a failed placement does not reset the counter";
    AdvanceFrame(true); // freed at the end of this frame
    EXPECT_EQ(0, explosions[4].active);
    AdvanceFrame(true);
    EXPECT_EQ(1, explosions[4].active);
    EXPECT_EQ(1, framesSinceExplosion);
}

TEST(Explosions, CollisionRectangleIncludesLeftAndTopEdgesOnly)
{
    ResetWorld(1);
    MoveCursor(-512, -384);
    framesSinceExplosion = 6;
    SpawnExplosion();
    const RECT &r = explosions[0].destRect;
    EXPECT_EQ(-8, r.left);
    EXPECT_EQ(-8, r.top);
    EXPECT_EQ(24, r.right);
    EXPECT_EQ(24, r.bottom);

    struct Case {
        int32_t x, y;
        bool erased;
    };
    const Case cases[] = {{23, 23, true}, {0, 0, true}, {24, 0, false}, {0, 24, false}, {23, 24, false}};
    int slot = 0;
    for (Case c : cases)
        PlaceTrail(slot++, c.x, c.y);
    CollideTrails();
    slot = 0;
    for (Case c : cases)
        EXPECT_EQ(c.erased, trails[slot++].active == 0) << "head (" << c.x << ", " << c.y << ")";
}

TEST(Explosions, TrailsAreNotErasedByFreeExplosions)
{
    ResetWorld(1);
    explosions[0].destRect = RECT{0, 0, 100, 100};
    explosions[0].active = 0;
    PlaceTrail(0, 10, 10);
    CollideTrails();
    EXPECT_EQ(1, trails[0].active);
}

TEST(Cursor, PictureChangesEveryEighthFrameStartingWithTheFirst)
{
    ResetWorld(1);
    for (int frame = 1; frame <= 24; frame++) {
        AnimateCursor();
        int want = ((frame - 1) / 8) % 2 == 0 ? 1 : 0;
        EXPECT_EQ(want, cursorFrame) << "frame " << frame;
        EXPECT_EQ(16 * want, cursorSrcRect.left) << "frame " << frame;
        EXPECT_EQ(16 * want + 16, cursorSrcRect.right) << "frame " << frame;
    }
}

TEST(Cursor, MovesClampedToTheLimitsWithoutWrapping)
{
    struct Case {
        int32_t fromX, fromY, dx, dy, wantX, wantY;
    };
    const Case cases[] = {
        {1000, 10, 100, -100, 1024, 0},
        {1024, 768, 5, 5, 1024, 768},
        {0, 0, -5, -5, 0, 0},
        {512, 384, 3, -4, 515, 380},
        {512, 384, INT32_MAX, INT32_MIN, 1024, 0},
        {1024, 768, INT32_MAX, INT32_MAX, 1024, 768},
    };
    for (Case c : cases) {
        ResetWorld(1);
        cursorX = c.fromX;
        cursorY = c.fromY;
        MoveCursor(c.dx, c.dy);
        EXPECT_EQ(c.wantX, cursorX) << c.fromX << "+" << c.dx;
        EXPECT_EQ(c.wantY, cursorY) << c.fromY << "+" << c.dy;
        EXPECT_EQ(c.wantX, cursorDestRect.left);
        EXPECT_EQ(c.wantY + 16, cursorDestRect.bottom);
    }
}

TEST(Cursor, ExplosionIsCentredWhereTheCursorIsDrawnThisFrame)
{
    ResetWorld(1);
    AdvanceFrame(false, 40, -30); // moves the cursor to (552, 354) for the next frame
    framesSinceExplosion = 6;
    AdvanceFrame(true, 100, 100);
    EXPECT_EQ(552 - 8, explosions[0].x);
    EXPECT_EQ(354 - 8, explosions[0].y);
}

TEST(World, NothingAdvancesUnlessRunning)
{
    ResetWorld(1);
    gameState = 0;
    AdvanceFrame(true, 5, 5);
    EXPECT_EQ(0, LiveTrails());
    EXPECT_EQ(0, framesSinceExplosion);
    EXPECT_EQ(517, cursorX) << "the cursor moves in every frame";
}

} // namespace
