// What the journal's twelve pages say: who made the kiosk, by role, with the voice actors'
// photographs, and how much plasticine it took. Texts are UTF-8 here; the journal converts
// them to code page 1251 once. Each line is centred on the sheet's text line at its offset.
#pragma once

#include <array>
#include <span>

namespace vepa::book {

struct JournalLine {
  int DY;
  int Size;
  int Height;
  const char* Text;
};

struct JournalPage {
  const char* Sheet;  // "List02" the cover, "List01" the others
  std::span<const JournalLine> Lines;
};

namespace journal_text {
inline constexpr JournalLine Cover[] = {
    {170, 25, 25, "ЖУРНАЛ"},
    {200, 25, 30, "ТРИ ОГУРЦА"},
    {290, 10, 10, "ПОСЕЛОК КИОСКОВО"},
    {300, 10, 10, "2001 ГОД"},
};
inline constexpr JournalLine Author[] = {
    {145, 15, 15, "ПРОГРАММИСТ,"},
    {160, 15, 15, "ХУДОЖНИК,"},
    {175, 15, 15, "ЗВУК:"},
    {205, 25, 25, "ЛУКОВКИН"},
    {230, 25, 25, "ТИМОФЕЙ"},
    {270, 15, 15, "МОЙ МАИЛ:"},
    {285, 10, 10, "TIMA@KIOSK.LOCAL"},
    {295, 10, 10, "(ИЛИ В ОКОШКО КИОСКА)"},
};
inline constexpr JournalLine Ideas[] = {
    {150, 15, 15, "ИДЕИ:"},
    {180, 17, 20, "ТИМОФЕЙ ЛУКОВКИН"},
    {200, 17, 20, "ЗОЯ ПРЯНИКОВА"},
    {220, 17, 20, "КОТ БАРСИК"},
};
// Pages 3 to 9: the caption and the name under the photograph.
inline constexpr JournalLine Cashier[] = {{275, 12, 10, "РОЛЬ КАССИРА ОЗВУЧИВАЛ"},
                                          {285, 17, 15, "ЕФИМ БУЛОЧКИН"}};
inline constexpr JournalLine Grandfather[] = {{275, 12, 10, "РОЛЬ ДЕДА ОЗВУЧИВАЛ"},
                                              {285, 17, 15, "СТЕПАН ОГУРЦОВ"}};
inline constexpr JournalLine Grandmother[] = {{275, 12, 10, "РОЛЬ БАБКИ ОЗВУЧИВАЛ"},
                                              {285, 17, 15, "ЛЕВА КОМПОТОВ"}};
inline constexpr JournalLine Player[] = {{275, 12, 10, "РОЛЬ ИГРОКА ОЗВУЧИВАЛ"},
                                         {285, 17, 15, "ТИМОФЕЙ ЛУКОВКИН"}};
inline constexpr JournalLine Vovan[] = {{275, 12, 10, "РОЛЬ ВОВАНА ОЗВУЧИВАЛ"},
                                        {285, 17, 15, "ВОВА КРУТОВ"}};
inline constexpr JournalLine Tramp[] = {{275, 12, 10, "РОЛЬ БОМЖА ОЗВУЧИВАЛ"},
                                        {285, 17, 15, "ЖОРА БУБЛИКОВ"}};
inline constexpr JournalLine Daz[] = {{275, 12, 10, "РОЛЬ ФИСА ОЗВУЧИВАЛ"},
                                      {285, 17, 15, "КОТ БАРСИК"}};
inline constexpr JournalLine Testers[] = {
    {135, 15, 17, "ИГРУ ТЕСТИРОВАЛИ"},   {165, 15, 12, "МАМА И ПАПА"},
    {180, 15, 12, "ЗОЯ ПРЯНИКОВА"},      {195, 15, 12, "СОСЕД ДЯДЯ ГРИША"},
    {210, 15, 12, "ДВОРНИК МИХАЛЫЧ"},    {225, 15, 12, "ОЧЕРЕДЬ У КИОСКА"},
    {240, 15, 12, "КОТ БАРСИК (ЛАПОЙ)"}, {255, 15, 12, "СЛУЧАЙНЫЙ ПРОХОЖИЙ"},
    {270, 15, 12, "И ЛИЧНО ТЫ!"},
};
inline constexpr JournalLine Plasticine[] = {
    {165, 17, 15, "НА СОЗДАНИЕ"}, {180, 17, 15, "ИГРЫ УШЛО"},  {195, 17, 15, "ЧЕТЫРЕ МАЛЕНЬКИЕ"},
    {210, 17, 15, "КОРОБОЧКИ"},   {225, 17, 15, "ПЛАСТИЛИНА"},
};
}  // namespace journal_text

inline constexpr std::array<JournalPage, 12> JournalPages{{
    {"List02", journal_text::Cover},
    {"List01", journal_text::Author},
    {"List01", journal_text::Ideas},
    {"List01", journal_text::Cashier},
    {"List01", journal_text::Grandfather},
    {"List01", journal_text::Grandmother},
    {"List01", journal_text::Player},
    {"List01", journal_text::Vovan},
    {"List01", journal_text::Tramp},
    {"List01", journal_text::Daz},
    {"List01", journal_text::Testers},
    {"List01", journal_text::Plasticine},
}};

}  // namespace vepa::book
