#pragma once

// The program's growable list of strings: a stack for the directory walk, the
// in-memory form of the exclusion and analysis lists, a plain list elsewhere.
// Zero-based; out-of-range indices are ignored rather than trusted.

#include <QString>

#include <vector>

namespace velmar {

class ListeAuto {
public:
    ListeAuto();

    void EffaceTableau();
    QString RenvoieElement(int index) const;
    void ModifieElement(int index, const QString& value, bool sort = false, bool ascending = true);
    void PermuteElements(int a, int b);
    void AjoutElement(const QString& value, bool sort = false, bool ascending = true);
    void SupprimeElement(int index);
    int ChercheElement(const QString& value) const;
    // Sorts (upper-case folding, or lower-case when a follower is given), then
    // drops each element equal to its kept predecessor, and the follower's
    // element of the same index with it.
    void TriEtSupprimeDoublons(bool ascending, ListeAuto* follower = nullptr);
    int NbElementsListe() const { return m_count; }
    void TriRapide(bool ascending);
    void TriRapideSuivi(ListeAuto& follower, bool ascending);

    // Slots allocated: 51 at first, 20 more each time the list outgrows them.
    int capacity() const { return static_cast<int>(m_items.size()); }

private:
    enum class Folding { Upper, Lower };
    void quickSort(Folding folding, bool ascending, ListeAuto* follower);
    void resetStorage();

    std::vector<QString> m_items;
    int m_count = 0;
};

} // namespace velmar
