#pragma once
// The texts of the window's choice lists and the choices they stand for. This is the one place
// where a list's text is read: everything else asks for the chosen value.
#include <QString>
#include <QStringList>
#include <optional>

#include "engine/choices.h"
#include "mainwindow/calverdonform_fwd.h"

namespace mainwindow {

// ---- list entries, in list order ----
const QStringList& PassBandEntries();
const QStringList& ResponseEntries();  // "Custom Q" is not an entry: it is typed
const QStringList& TopologyEntries();
const QStringList& ResistorSeriesEntries();
const QStringList& CapacitorSeriesEntries();

// ---- texts and values ----
QString TextOf(engine::PassBand band);
QString TextOf(engine::FilterResponse response);
QString TextOf(engine::Topology topology);
std::optional<engine::PassBand> PassBandOf(const QString& text);
std::optional<engine::FilterResponse> ResponseOf(const QString& text);
std::optional<engine::Topology> TopologyOf(const QString& text);

// What the window keeps for a standard response: its long name (the design file's and the
// graph title's) and the number of its prompt. Custom responses give an empty name.
QString LongNameOf(engine::FilterResponse response);
int PromptTopicOf(engine::FilterResponse response);

// ---- what the lists show now ----
// The pass band, response and topology chosen; nothing when the list shows a text that is not
// one of them (a typed response text, an empty entry).
std::optional<engine::PassBand> ChosenPassBand(const CalverdonForm& f);
std::optional<engine::FilterResponse> ChosenResponse(const CalverdonForm& f);
std::optional<engine::Topology> ChosenTopology(const CalverdonForm& f);
// The series chosen; a list without a valid choice counts as its first entry.
engine::ResistorSeries ChosenResistorSeries(const CalverdonForm& f);
engine::CapacitorSeries ChosenCapacitorSeries(const CalverdonForm& f);

// The chosen pass band is `band`, or belongs to the group (engine::IsTwoHalves, ...); false
// when the list shows no pass band.
bool ChosenPassBandIs(const CalverdonForm& f, engine::PassBand band);
bool ChosenPassBandIs(const CalverdonForm& f, bool (*group)(engine::PassBand));
bool ChosenResponseIs(const CalverdonForm& f, engine::FilterResponse response);
// The fully differential MFB circuit is chosen.
bool FullyDifferentialChosen(const CalverdonForm& f);

}  // namespace mainwindow
