// The three turning solids of the picture: an open eight-sided band (scene 0), a ring of
// twenty faces (scene 1) and the textured cube (scene 2).
#include "shapes.h"
#include "flags.h"
#include "shared.h"

namespace player {

namespace {

constexpr std::int32_t kRingScene = 0;
constexpr std::int32_t kTorusScene = 1;
constexpr std::int32_t kCubeScene = 2;

// Slot speeds beyond the common step are drawn as RandomInt(kSpeedSteps) / kSpeedDivisor.
constexpr std::int32_t kSpeedSteps = 6;
constexpr double kSpeedDivisor = 10;

// The band: 16 corners on two rims of eight around the axis, face after face in one strip
// that closes on itself. Point 17 stands on point 1's place to close the strip, and point
// 16, the centre of the upper rim, belongs to no face.
constexpr const char* kRingFaces = "0,1,2,3, 4,5,6,7, 11,10,9,8, 15,14,13,12, 3,2,5,4, 7,6,10,11, 8,9,14,15, 12,13,17,0";
constexpr std::int32_t kRingPoints = 18;
// For every point: its place (0..7) around the rims, and 1 on the upper rim, 0 on the lower.
constexpr std::int32_t kRingPlace[kRingPoints] = {0, 0, 1, 1, 2, 2, 3, 3, 5, 5, 4, 4, 7, 7, 6, 6, 0, 0};
constexpr std::int32_t kRingUpper[kRingPoints] = {1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0};
constexpr std::int32_t kRingCentre = 16;
// A wide upper rim over a narrow lower one: a lampshade that shows its inside as it turns.
constexpr double kRingUpperRadius = 23;
constexpr double kRingLowerRadius = 15;
constexpr double kRingHalfHeight = 10;
// The inside of the band, seen through its open ends, is darker than its outside.
constexpr double kInsideBrightness = 0.45;

// The ring: five segments around, each a tube of four faces; every face has its own four
// corners, so the face list is simply 0 to 79.
constexpr std::int32_t kTorusSegments = 5;
constexpr std::int32_t kTorusSides = 4;
constexpr double kTorusRadius = 18;
constexpr double kTorusTubeRadius = 8;

// The cube's corners, three coordinates each: 0..3 around one face, 4..7 above them.
constexpr double kCubeHalf = 15;
constexpr std::int32_t kCubeSign[8][3] = {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1},
                                          {-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1}};
constexpr const char* kCubeFaces = "0,1,2,3, 7,6,5,4, 4,5,1,0, 3,2,6,7, 1,5,6,2, 4,0,3,7";

constexpr double kLeastBrightness = 0.35;

ShapeSlots& Slots() { return picture.shapes; }

void GiveSpeeds(std::int32_t slot) {
    ShapeSlots& s = Slots();
    s.speedA(slot, 0, 0) = RandomInt(kSpeedSteps) / kSpeedDivisor;
    s.speedB(slot, 0, 0) = RandomInt(kSpeedSteps) / kSpeedDivisor;
}

void SetPoint(std::int32_t slot, std::int32_t point, double x, double y, double z) {
    ShapeSlots& s = Slots();
    s.pointX(slot, 0, point) = x;
    s.pointY(slot, 0, point) = y;
    s.pointZ(slot, 0, point) = z;
}

double Brightness(std::int32_t slot, std::int32_t face) {
    return kLeastBrightness + (1 - kLeastBrightness) * Slots().faceLight(slot, 0, face);
}

void BuildRing(std::int32_t slot) {
    for (std::int32_t p = 0; p < kRingPoints; ++p) {
        const double angle = kRingPlace[p] * 45.0;
        const double radius = kRingUpper[p] == 1 ? kRingUpperRadius : kRingLowerRadius;
        const double height = kRingUpper[p] == 1 ? kRingHalfHeight : -kRingHalfHeight;
        SetPoint(slot, p, radius * CosDeg(angle), radius * SinDeg(angle), height);
    }
    SetPoint(slot, kRingCentre, 0, 0, kRingHalfHeight);
    Slots().pointCount(slot, 0, 0) = kRingPoints;
    ReadFaceList(slot, kRingFaces);
    GiveSpeeds(slot);
}

RtString TorusFaceList() {
    RtString list;
    const std::int32_t points = kTorusSegments * kTorusSides * 4;
    for (std::int32_t n = 0; n < points; ++n) {
        list += NumberToText(static_cast<double>(n));
        if (n + 1 < points) list += ",";
        if (n % 4 == 3 && n + 1 < points) list += " ";
    }
    return list;
}

void BuildTorus(std::int32_t slot) {
    std::int32_t point = 0;
    for (std::int32_t segment = 0; segment < kTorusSegments; ++segment) {
        for (std::int32_t side = 0; side < kTorusSides; ++side) {
            // Around the ring first, then around the tube: the corners then run
            // counter-clockwise seen from outside.
            const std::int32_t corners[4][2] = {
                {segment, side}, {segment + 1, side}, {segment + 1, side + 1}, {segment, side + 1}};
            for (const auto& corner : corners) {
                const double around = corner[0] * 360.0 / kTorusSegments;
                const double tube = corner[1] * 360.0 / kTorusSides + 45;
                const double reach = kTorusRadius + kTorusTubeRadius * CosDeg(tube);
                SetPoint(slot, point++, reach * CosDeg(around), reach * SinDeg(around), kTorusTubeRadius * SinDeg(tube));
            }
        }
    }
    Slots().pointCount(slot, 0, 0) = point;
    ReadFaceList(slot, TorusFaceList());
    GiveSpeeds(slot);
}

void BuildCube(std::int32_t slot) {
    RtString corners;
    for (std::int32_t p = 0; p < 8; ++p) {
        for (std::int32_t axis = 0; axis < 3; ++axis) {
            if (p + axis > 0) corners += ",";
            corners += NumberToText(kCubeSign[p][axis] * kCubeHalf);
        }
    }
    SplitNumbers(corners);
    for (std::int32_t p = 0; p < 8; ++p) SetPoint(slot, p, Piece(p * 3), Piece(p * 3 + 1), Piece(p * 3 + 2));
    Slots().pointCount(slot, 0, 0) = 8;
    ReadFaceList(slot, kCubeFaces);
    GiveSpeeds(slot);
}

// The common course of a solid's frame: build on first use, turn, project and order.
void PrepareSolid(std::int32_t slot, void (*build)(std::int32_t)) {
    ShapeSlots& s = Slots();
    if (!IsYes(s.slotBuilt(slot))) {
        build(slot);
        s.slotBuilt(slot) = YesNo(true);
    }
    AdvanceTurns(slot);
    TurnAndProject(slot);
    OrderFaces(slot);
}

}  // namespace

void DrawRing() {
    ShapeSlots& s = Slots();
    for (std::int32_t slot = 0; slot < kShapeSlots; ++slot) {
        if (!SlotShows(slot, kRingScene)) continue;
        PrepareSolid(slot, BuildRing);
        const auto faces = static_cast<std::int32_t>(s.faceCount(slot, 0, 0));
        for (std::int32_t n = 0; n < faces; ++n) {
            const auto face = static_cast<std::int32_t>(s.faceOrder(slot, 0, n));
            // The band is open: a face turned away shows its inside.
            const bool outside = FaceFrontVisible(slot, face);
            const double brightness = Brightness(slot, face) * (outside ? 1 : kInsideBrightness);
            s.faceBlend(slot, 0, face) = FadedBlend(0.8 + 0.2 * s.faceLight(slot, 0, face));
            SetBlendAlpha(s.faceBlend(slot, 0, face));
            BeginPolygon(-1);
            SendFace(slot, face, !outside, DriftColour(face % 2 == 0 ? 0 : 3, brightness));
            EndPolygon();
        }
        SetBlendAlpha(0);
    }
}

void DrawTorus() {
    ShapeSlots& s = Slots();
    for (std::int32_t slot = 0; slot < kShapeSlots; ++slot) {
        if (!SlotShows(slot, kTorusScene)) continue;
        PrepareSolid(slot, BuildTorus);
        const auto faces = static_cast<std::int32_t>(s.faceCount(slot, 0, 0));
        for (std::int32_t n = 0; n < faces; ++n) {
            const auto face = static_cast<std::int32_t>(s.faceOrder(slot, 0, n));
            if (!FaceFrontVisible(slot, face)) continue;
            s.faceBlend(slot, 0, face) = FadedBlend(0.85 + 0.15 * s.faceLight(slot, 0, face));
            SetBlendAlpha(s.faceBlend(slot, 0, face));
            BeginPolygon(-1);
            // Neighbouring segments alternate between two orders of the drift channels.
            SendFace(slot, face, false, DriftColour(face / kTorusSides % 2 == 0 ? 1 : 4, Brightness(slot, face)));
            EndPolygon();
        }
        SetBlendAlpha(0);
    }
}

void DrawTexturedCube() {
    ShapeSlots& s = Slots();
    for (std::int32_t slot = 0; slot < kShapeSlots; ++slot) {
        if (!SlotShows(slot, kCubeScene)) continue;
        if (s.cubeTextureLoaded == 0) {
            s.cubeTextureLoaded = 1;
            LoadSpriteImage(shared.mediaPath + "image.png", kCubeSprite);
        }
        double textureWidth = 0;
        double textureHeight = 0;
        QuerySpriteSize(kCubeSprite, textureWidth, textureHeight);
        PrepareSolid(slot, BuildCube);
        const std::int32_t colour = DriftColour(0);
        const auto faces = static_cast<std::int32_t>(s.faceCount(slot, 0, 0));
        for (std::int32_t n = 0; n < faces; ++n) {
            const auto face = static_cast<std::int32_t>(s.faceOrder(slot, 0, n));
            if (!FaceFrontVisible(slot, face)) continue;
            s.faceBlend(slot, 0, face) = FadedBlend(Brightness(slot, face));
            SetBlendAlpha(s.faceBlend(slot, 0, face));
            BeginPolygon(kCubeSprite);
            SendFace(slot, face, false, colour, textureWidth, textureHeight);
            EndPolygon();
        }
        SetBlendAlpha(0);
    }
}

}  // namespace player
