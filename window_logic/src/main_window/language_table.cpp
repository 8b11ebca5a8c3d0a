#include "window_logic/main_window/language_table.h"

namespace scanbench {

namespace {

// One position in all four languages: English, Portuguese, French, German.
struct LangRow {
    int Position;
    std::array<std::string_view, LanguageCount> Texts;
};

// The texts are kept exactly as the program has always shown them.
constexpr std::string_view UnsavedPt = "Ficheiro ainda não gravado!\rDeseja prosseguir?";
constexpr std::string_view NotANumberEn = "Error! Number not recognized!";
constexpr std::string_view LineNotFoundEn = "Error! Line number not found :(";

constexpr LangRow Rows[] = {
    {1, {"Scanbench", "Scanbench", "Scanbench", "Scanbench"}},
    {2,
     {"This program was written by:", "Este programa foi escrito por:",
      "Ce programme a été écrit par:", "Dieses Programm wurde dadurch geschrieben:"}},
    {3, {"File", "Ficheiro", "Fichier", "Datei"}},
    {4, {"Edit", "Editar", "Éditez", "Bearbeiten"}},
    {5, {"Windows", "Janelas", "Fenêtres", "Fenster"}},
    {7, {"About", "Acerca de", "Sujet", "Info"}},
    {8, {"Language", "Língua", "Langue", "Sprache"}},
    {9, {"English", "Inglês", "Englais", "Englisch"}},
    {10, {"Portuguese", "Português", "Portugais", "Portugiesisch"}},
    {11, {"French", "Francês", "Francais", "Französisch"}},
    {12, {"German", "Alemão", "Allemand", "Deutsch"}},
    {13,
     {"State Diagram for Port ", "Diagrama de Estados para a Porta ",
      "Diagramme de l'état pour Port ", "Zustanddiagramm für Hafen "}},
    {14, {"State Diagrams", "Diagramas de Estados", "Diagrammes de l'état", "Zustanddiagrammen"}},
    {15, {"Help", "Ajuda", "Aide", "Hilfe"}},
    {16, {"Exit", "Sair", "Quitter", "Beenden"}},
    {17, {"New", "Novo", "Nouveu", "Neu"}},
    {18, {"Open", "Abrir", "Ouvrir", "Öffnen"}},
    {19, {"Save", "Guardar", "Sauver", "Spiechern"}},
    {20, {"Save As...", "Guardar_como...", "Sauver sur...", "Spiechern unter..."}},
    {23, {"Copy", "Copiar", "Copier", "Kopieren"}},
    {24, {"Paste", "Colar", "Passer", "Past"}},
    {25, {"State Diagram", "Diagrama de Estados", "Diagramme d'étás", "Zustanddiagramm"}},
    {26, {"File not yet saved!\rDo you want to proceed?", UnsavedPt, UnsavedPt, UnsavedPt}},
    {27,
     {NotANumberEn, "Erro! Número não reconhecido", NotANumberEn, "Was für eine Nummer ist das?"}},
    {28,
     {LineNotFoundEn, "Erro! Número de linha não encontrado", LineNotFoundEn,
      "Line number not found :("}},
};

constexpr std::array<LangColumn, LanguageCount> FillTable() {
    std::array<LangColumn, LanguageCount> table{};
    for (const LangRow& row : Rows) {
        for (std::size_t lang = 0; lang < table.size(); ++lang) {
            table[lang][static_cast<std::size_t>(row.Position)] = row.Texts[lang];
        }
    }
    return table;
}

} // namespace

constinit const std::array<LangColumn, LanguageCount> LangTable = FillTable();

std::string_view LangText(std::uint8_t language, int position) {
    if (language >= LanguageCount || position < 0 || position >= LangPositions) {
        return {};
    }
    return LangTable[language][static_cast<std::size_t>(position)];
}

} // namespace scanbench
