#pragma once

// A printer with fixed metrics that records what is drawn, for exact layout tests:
// every character is as wide as the font's size in points, a character cell twice as high.

#include "print/PrintSurface.h"

#include <string>
#include <utility>
#include <vector>

class RecordingSurface : public PrintSurface
{
public:
    struct Drawn
    {
        int page = 0;
        int x = 0;
        int y = 0;
        PrinterFont font;
        std::string text;
    };

    explicit RecordingSurface(PrintableArea area = {1400, 2000}) : m_area(area) {}

    // What the print system does: the operation named fails (once), or there is no printer.
    enum class Failing { Nothing, Begin, NewPage, Draw, End, NoPrinter };
    Failing failing = Failing::Nothing;
    int failAtDraw = 0; // with Failing::Draw: the draw that fails, counting from 1

    std::vector<std::string> jobs;      // document names of the jobs begun
    std::vector<std::string> endings;   // "end" or "abort", one per job that ended
    std::vector<Drawn> drawn;           // every draw of every job
    int pages = 0;                      // pages of the current or last job
    long long measured = 0;             // characters measured so far

    static int Characters(std::string_view text)
    {
        int count = 0;
        for (const char c : text)
            count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return count;
    }

    JobStart BeginJob(const std::string& documentName) override
    {
        if (Take(Failing::NoPrinter))
            return JobStart::NoPrinter;
        if (Take(Failing::Begin))
            return JobStart::Failed;
        jobs.push_back(documentName);
        pages = 1;
        return JobStart::Started;
    }
    PrintableArea Area() const override { return m_area; }
    int CellHeight(const PrinterFont& font) override { return 2 * font.Points; }
    int TextWidth(const PrinterFont& font, std::string_view text) override
    {
        measured += static_cast<long long>(text.size());
        return Characters(text) * font.Points;
    }
    bool DrawText(int x, int y, const PrinterFont& font, std::string_view text) override
    {
        if (failing == Failing::Draw && --failAtDraw == 0) {
            failing = Failing::Nothing;
            return false;
        }
        drawn.push_back({pages, x, y, font, std::string(text)});
        return true;
    }
    //! A picture is recorded as "[picture W x H]" at its place, in the font then in force.
    bool DrawPicture(int x, int y, int width, int height, const SheetPicture&) override
    {
        if (failing == Failing::Draw && --failAtDraw == 0) {
            failing = Failing::Nothing;
            return false;
        }
        Drawn picture;
        picture.page = pages;
        picture.x = x;
        picture.y = y;
        picture.text = "[picture " + std::to_string(width) + " x " + std::to_string(height) + "]";
        drawn.push_back(std::move(picture));
        return true;
    }
    bool NewPage() override
    {
        ++pages;
        return !Take(Failing::NewPage);
    }
    bool EndJob() override
    {
        endings.push_back("end");
        return !Take(Failing::End);
    }
    void AbortJob() noexcept override { endings.push_back("abort"); }

private:
    bool Take(Failing operation)
    {
        if (failing != operation)
            return false;
        failing = Failing::Nothing;
        return true;
    }

    PrintableArea m_area;
};
