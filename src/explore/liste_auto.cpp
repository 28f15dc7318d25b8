#include "explore/liste_auto.h"

#include <algorithm>
#include <utility>

namespace velmar {

namespace {

constexpr int kInitialSlots = 51;
constexpr int kGrowth = 20;

// Quicksort over precomputed folded keys; the folded keys move with their
// elements. The partition follows the classic middle-pivot scheme, with equal
// folded keys never swapped, so elements equal under folding keep their places
// more often than not (the duplicate removal depends on it).
class Sorter {
public:
    Sorter(std::vector<QString>& items, std::vector<QString>& keys, bool ascending, ListeAuto* follower)
        : m_items(items), m_keys(keys), m_ascending(ascending), m_follower(follower) {}

    void sort(int lo, int hi) {
        // Recurse into the smaller side and loop over the larger one: the same
        // result as recursing into both, with a stack bounded by log2(count).
        while (lo < hi) {
            int i = lo;
            int j = hi;
            partition(lo, hi, i, j);
            if (j - lo < hi - i) {
                if (lo < j)
                    sort(lo, j);
                lo = i;
            } else {
                if (i < hi)
                    sort(i, hi);
                hi = j;
            }
        }
    }

private:
    bool before(const QString& a, const QString& b) const { return m_ascending ? a < b : a > b; }

    void partition(int lo, int hi, int& i, int& j) {
        const QString pivot = m_keys[static_cast<std::size_t>((lo + hi) / 2)];
        while (i <= j) {
            while (before(m_keys[i], pivot) && i < hi)
                ++i;
            while (before(pivot, m_keys[j]) && j > lo)
                --j;
            if (i <= j) {
                if (i < j && m_keys[i] != m_keys[j]) {
                    std::swap(m_items[i], m_items[j]);
                    std::swap(m_keys[i], m_keys[j]);
                    if (m_follower)
                        m_follower->PermuteElements(i, j);
                }
                ++i;
                --j;
            }
        }
    }

    std::vector<QString>& m_items;
    std::vector<QString>& m_keys;
    bool m_ascending;
    ListeAuto* m_follower;
};

} // namespace

ListeAuto::ListeAuto() {
    resetStorage();
}

void ListeAuto::resetStorage() {
    m_items.assign(kInitialSlots, QString());
    m_count = 0;
}

void ListeAuto::EffaceTableau() {
    resetStorage();
}

QString ListeAuto::RenvoieElement(int index) const {
    return (index >= 0 && index < m_count) ? m_items[static_cast<std::size_t>(index)] : QString();
}

void ListeAuto::ModifieElement(int index, const QString& value, bool sort, bool ascending) {
    if (index < 0 || index >= m_count)
        return;
    m_items[static_cast<std::size_t>(index)] = value;
    if (sort)
        quickSort(Folding::Upper, ascending, nullptr);
}

void ListeAuto::PermuteElements(int a, int b) {
    if (a < 0 || b < 0 || a >= m_count || b >= m_count)
        return;
    std::swap(m_items[static_cast<std::size_t>(a)], m_items[static_cast<std::size_t>(b)]);
}

void ListeAuto::AjoutElement(const QString& value, bool sort, bool ascending) {
    if (m_count >= capacity())
        m_items.resize(m_items.size() + kGrowth);
    m_items[static_cast<std::size_t>(m_count++)] = value;
    if (sort)
        quickSort(Folding::Upper, ascending, nullptr);
}

void ListeAuto::SupprimeElement(int index) {
    if (index < 0 || index >= m_count)
        return;
    for (int k = index; k < m_count - 1; ++k)
        m_items[static_cast<std::size_t>(k)] = std::move(m_items[static_cast<std::size_t>(k + 1)]);
    --m_count;
}

int ListeAuto::ChercheElement(const QString& value) const {
    for (int k = 0; k < m_count; ++k)
        if (m_items[static_cast<std::size_t>(k)] == value)
            return k;
    return -1;
}

void ListeAuto::TriEtSupprimeDoublons(bool ascending, ListeAuto* follower) {
    quickSort(follower ? Folding::Lower : Folding::Upper, ascending, follower);
    if (m_count == 0)
        return;
    // Compaction gives the same result as removing each duplicate in turn,
    // without moving the tail once per removal.
    std::vector<int> kept{0};
    for (int k = 1; k < m_count; ++k)
        if (m_items[static_cast<std::size_t>(k)] != m_items[static_cast<std::size_t>(kept.back())])
            kept.push_back(k);
    if (static_cast<int>(kept.size()) == m_count)
        return;
    const int oldCount = m_count;
    for (std::size_t w = 0; w < kept.size(); ++w)
        m_items[w] = m_items[static_cast<std::size_t>(kept[w])];
    m_count = static_cast<int>(kept.size());
    if (!follower)
        return;
    // The follower is parallel: it loses the elements at the same indices.
    std::vector<bool> keep(static_cast<std::size_t>(follower->m_count), true);
    for (int k = 0; k < std::min(oldCount, follower->m_count); ++k)
        keep[static_cast<std::size_t>(k)] = false;
    for (int k : kept)
        if (k < follower->m_count)
            keep[static_cast<std::size_t>(k)] = true;
    int write = 0;
    for (int k = 0; k < follower->m_count; ++k)
        if (keep[static_cast<std::size_t>(k)])
            follower->m_items[static_cast<std::size_t>(write++)] =
                follower->m_items[static_cast<std::size_t>(k)];
    follower->m_count = write;
}

void ListeAuto::TriRapide(bool ascending) {
    quickSort(Folding::Lower, ascending, nullptr);
}

void ListeAuto::TriRapideSuivi(ListeAuto& follower, bool ascending) {
    quickSort(Folding::Lower, ascending, &follower);
}

void ListeAuto::quickSort(Folding folding, bool ascending, ListeAuto* follower) {
    if (m_count < 2)
        return;
    std::vector<QString> keys(static_cast<std::size_t>(m_count));
    for (int k = 0; k < m_count; ++k) {
        const QString& item = m_items[static_cast<std::size_t>(k)];
        keys[static_cast<std::size_t>(k)] = folding == Folding::Upper ? item.toUpper() : item.toLower();
    }
    Sorter(m_items, keys, ascending, follower).sort(0, m_count - 1);
}

} // namespace velmar
