// One maker per family of pictures; each writes its files into dir.
#pragma once

#include "writers.h"

#include <string>

// The flame colours, shared by the palette file and the seed pattern.
Palette firePalette();

void makePalettes(const std::string& dir);  // weinPalette.bmp, firePalette.bmp, firePattern.bmp
void makeFontSheet(const std::string& dir); // 020.bmp
void makeLetters(const std::string& dir);   // bf bg lf lg of og sf sg af ag .png
void makeBottle(const std::string& dir);    // flaska.png
void makeSparkler(const std::string& dir);  // tb.png, tbub.png
void makeLogo(const std::string& dir);      // krx4.png, 7.png
void makeTree(const std::string& dir);      // tannenbaum.png
void makeMoon(const std::string& dir);      // 256MOONE.PNG, litenapanap.png
void makeSantas(const std::string& dir);    // tomte0.bmp, tomte1.bmp, tomte2.bmp
void makeSnow(const std::string& dir);      // flinga0.png, flinga1.png
void makeWarpSleigh(
    const std::string& dir); // tomtebak.png, black.png, tomtewarp0.png, tomtewarp.png
void makeFieldSprites(const std::string& dir); // star.png, paket0.png, paket1.png
void makeCandlestick(const std::string& dir);  // Ljus.gif
void makeGreetings(const std::string& dir);    // greets.png
void makeIcon(const std::string& path);        // the Windows programs' icon (.ico)
