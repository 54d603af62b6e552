// The shape routines' common ground: slots, turning and projecting, face order and faces.
#include "shapes.h"

#include <initializer_list>

#include "shared.h"

namespace player {

namespace {

constexpr double kTurnStep = 0.5;
// Added to the turned depth before the division by 3: the larger, the flatter the view.
constexpr double kDepthOffset = 150;
constexpr double kDepthDivisor = 3;
// Screen pixels per unit of a solid at depth 1; a solid reaching 26 units from its centre
// (the cube's corners) stays inside the picture area.
constexpr double kScale = 135;
constexpr double kLeastBlend = 0.004;

ShapeSlots& Slots() { return picture.shapes; }

void DimSlotArray(RtNumberArray& array) { DimArray(array, kShapeSlots, kSlotParts, kSlotValues); }

// The face's normal in turned space, before normalising.
void FaceNormal(std::int32_t slot, std::int32_t face, double& nx, double& ny, double& nz) {
    ShapeSlots& s = Slots();
    const auto corner = [&](std::int32_t c) { return static_cast<std::int32_t>(s.faceCorner(slot, c, face)); };
    const std::int32_t p0 = corner(0);
    const std::int32_t p1 = corner(1);
    const std::int32_t p2 = corner(2);
    const double ux = s.turnedX(slot, 0, p1) - s.turnedX(slot, 0, p0);
    const double uy = s.turnedY(slot, 0, p1) - s.turnedY(slot, 0, p0);
    const double uz = s.turnedZ(slot, 0, p1) - s.turnedZ(slot, 0, p0);
    const double vx = s.turnedX(slot, 0, p2) - s.turnedX(slot, 0, p1);
    const double vy = s.turnedY(slot, 0, p2) - s.turnedY(slot, 0, p1);
    const double vz = s.turnedZ(slot, 0, p2) - s.turnedZ(slot, 0, p1);
    nx = uy * vz - uz * vy;
    ny = uz * vx - ux * vz;
    nz = ux * vy - uy * vx;
}

}  // namespace

void CreateShapeSlots() {
    ShapeSlots& s = Slots();
    for (RtNumberArray* array : {&s.pointX, &s.pointY, &s.pointZ, &s.turnedX, &s.turnedY, &s.turnedZ, &s.screenX,
                                 &s.screenY, &s.faceCorner, &s.faceDepth, &s.faceLight, &s.faceBlend, &s.faceOrder,
                                 &s.pointCount, &s.faceCount, &s.angleA, &s.angleB, &s.speedA, &s.speedB, &s.spread,
                                 &s.spreadStep, &s.turn, &s.pulse}) {
        DimSlotArray(*array);
    }
    DimStringArray(s.pieces, 0);
    DimStringArray(s.slotBuilt, kShapeSlots);
}

bool SlotShows(std::int32_t slot, std::int32_t ownScene) {
    return slot == ownScene && picture.scenes.scene == ownScene;
}

std::int32_t SplitNumbers(const RtString& text) { return SplitString(text, Slots().pieces, ","); }

double Piece(std::int32_t n) { return TextToNumber(Slots().pieces(n)); }

void ReadFaceList(std::int32_t slot, const RtString& faceList) {
    ShapeSlots& s = Slots();
    const std::int32_t faces = SplitNumbers(faceList) / 4;
    s.faceCount(slot, 0, 0) = faces;
    for (std::int32_t face = 0; face < faces; ++face) {
        for (std::int32_t c = 0; c < 4; ++c) s.faceCorner(slot, c, face) = Piece(face * 4 + c);
    }
}

void AdvanceTurns(std::int32_t slot) {
    ShapeSlots& s = Slots();
    s.angleA(slot, 0, 0) = ModNumber(s.angleA(slot, 0, 0) + kTurnStep + s.speedA(slot, 0, 0), 360);
    s.angleB(slot, 0, 0) = ModNumber(s.angleB(slot, 0, 0) + kTurnStep + s.speedB(slot, 0, 0), 360);
}

void TurnAndProject(std::int32_t slot) {
    ShapeSlots& s = Slots();
    const double a = s.angleA(slot, 0, 0);
    const double b = s.angleB(slot, 0, 0);
    const double cosA = CosDeg(a);
    const double sinA = SinDeg(a);
    const double cosB = CosDeg(b);
    const double sinB = SinDeg(b);
    const auto points = static_cast<std::int32_t>(s.pointCount(slot, 0, 0));
    for (std::int32_t p = 0; p < points; ++p) {
        const double x = s.pointX(slot, 0, p);
        const double y = s.pointY(slot, 0, p);
        const double z = s.pointZ(slot, 0, p);
        const double x1 = x * cosA + y * sinA;
        const double y1 = y * cosA - x * sinA;
        const double z1 = z * cosB + y1 * sinB;
        const double y2 = y1 * cosB - z * sinB;
        s.turnedX(slot, 0, p) = x1;
        s.turnedY(slot, 0, p) = y2;
        s.turnedZ(slot, 0, p) = z1;
        const double depth = (y2 + kDepthOffset) / kDepthDivisor;
        s.screenX(slot, 0, p) = shared.shapeAnchorA + kScale * z1 / depth;
        s.screenY(slot, 0, p) = shared.shapeAnchorB + kScale * x1 / depth;
    }
}

void OrderFaces(std::int32_t slot) {
    ShapeSlots& s = Slots();
    const auto faces = static_cast<std::int32_t>(s.faceCount(slot, 0, 0));
    for (std::int32_t face = 0; face < faces; ++face) {
        double depth = 0;
        for (std::int32_t c = 0; c < 4; ++c) {
            depth += s.turnedY(slot, 0, static_cast<std::int32_t>(s.faceCorner(slot, c, face)));
        }
        s.faceDepth(slot, 0, face) = depth / 4;
        double nx = 0;
        double ny = 0;
        double nz = 0;
        FaceNormal(slot, face, nx, ny, nz);
        const double length = SquareRoot(nx * nx + ny * ny + nz * nz);
        s.faceLight(slot, 0, face) = length > 0 ? AbsNumber(ny) / length : 0;
        // Insertion into the order, farthest (deepest) first; a handful of faces.
        std::int32_t n = face;
        while (n > 0 && s.faceDepth(slot, 0, static_cast<std::int32_t>(s.faceOrder(slot, 0, n - 1))) < depth / 4) {
            s.faceOrder(slot, 0, n) = s.faceOrder(slot, 0, n - 1);
            --n;
        }
        s.faceOrder(slot, 0, n) = face;
    }
}

bool FaceFrontVisible(std::int32_t slot, std::int32_t face) {
    ShapeSlots& s = Slots();
    double twiceArea = 0;
    for (std::int32_t c = 0; c < 4; ++c) {
        const auto p = static_cast<std::int32_t>(s.faceCorner(slot, c, face));
        const auto q = static_cast<std::int32_t>(s.faceCorner(slot, (c + 1) % 4, face));
        twiceArea += s.screenX(slot, 0, p) * s.screenY(slot, 0, q) - s.screenX(slot, 0, q) * s.screenY(slot, 0, p);
    }
    // y grows downward on the screen, so a turn that looks counter-clockwise is negative.
    return twiceArea < 0;
}

void SendFace(std::int32_t slot, std::int32_t face, bool reversed, std::int32_t colour, double textureWidth,
              double textureHeight) {
    ShapeSlots& s = Slots();
    // Texture corners of the four face corners: the image's top left, bottom left, bottom
    // right and top right.
    const double textureX[4] = {0, 0, textureWidth, textureWidth};
    const double textureY[4] = {0, textureHeight, textureHeight, 0};
    for (std::int32_t n = 0; n < 4; ++n) {
        const std::int32_t c = reversed ? 3 - n : n;
        const auto p = static_cast<std::int32_t>(s.faceCorner(slot, c, face));
        AddPolygonVertex(TruncateToInt32(s.screenX(slot, 0, p)), TruncateToInt32(s.screenY(slot, 0, p)),
                         TruncateToInt32(textureX[c]), TruncateToInt32(textureY[c]), colour);
    }
}

std::int32_t PackColour(double red, double green, double blue) {
    const auto channel = [](double value) { return TruncateToInt32(MaxNumber(0, MinNumber(255, value))); };
    return channel(red) + channel(green) * 256 + channel(blue) * 65536;
}

std::int32_t DriftColour(std::int32_t order, double brightness) {
    const ColourDrift& d = picture.drift;
    const double r = d.red * 2 * brightness;
    const double g = d.green * 2 * brightness;
    const double b = d.blue * 2 * brightness;
    switch (ModInt(order, 6)) {
        case 0: return PackColour(r, g, b);
        case 1: return PackColour(g, b, r);
        case 2: return PackColour(b, r, g);
        case 3: return PackColour(r, b, g);
        case 4: return PackColour(g, r, b);
        default: return PackColour(b, g, r);
    }
}

double FadedBlend(double strength) { return -MaxNumber(kLeastBlend, strength * picture.tiles.fade); }

}  // namespace player
