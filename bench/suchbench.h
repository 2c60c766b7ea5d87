#pragma once

#include <QString>

#include <memory>

class Karte;

// The search alone, for targets of every kind: the places a second on one
// core, and on the graphics card that DOVEVAD_VULKAN chooses, named on the
// line, or none.
namespace SuchBench {

struct Karte
{
    std::shared_ptr<::Karte> karte;
    double schritte = 0; // windows a second, for eight letters
    QString name;        // or why there is none
};
// The card, with its pace for a compact run.
Karte waehlen();
void drucken(const Karte &karte);

} // namespace SuchBench
