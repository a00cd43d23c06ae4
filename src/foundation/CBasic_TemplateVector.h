#ifndef CORVANTHELIS_FOUNDATION_CBASIC_TEMPLATEVECTOR_H
#define CORVANTHELIS_FOUNDATION_CBASIC_TEMPLATEVECTOR_H

// A growable array of pointers, used as a public base class so that the
// deriving class is itself the list of what it manages. It owns only its
// slot array: removing an element or destroying the vector never deletes the
// object pointed to. Deriving classes read `size` and `elements` directly.
//
// The array grows in blocks of growStep slots and shrinks only once more than
// one whole block stands empty. When the array cannot grow the vector stays
// exactly as it was and Push returns -1; when it cannot shrink it keeps the
// larger array.

#include <cstdlib>
#include <cstring>

template <class T>
class CBasic_TemplateVector {
public:
    int size;
    int capacity;
    int growStep;
    T* elements;

    CBasic_TemplateVector(int capaciteInitiale, int pas)
        : size(0), capacity(capaciteInitiale < 0 ? 0 : capaciteInitiale),
          growStep(pas > 0 ? pas : 16), elements(nullptr)
    {
        if (capacity != 0) {
            elements = static_cast<T*>(malloc(sizeof(T) * capacity));
            if (!elements)
                capacity = 0;
        }
    }

    virtual ~CBasic_TemplateVector() { free(elements); }

    CBasic_TemplateVector(const CBasic_TemplateVector&) = delete;
    CBasic_TemplateVector& operator=(const CBasic_TemplateVector&) = delete;

    int Push(T element)
    {
        if (!SetSize(size + 1))
            return -1;
        elements[size - 1] = element;
        return size - 1;
    }

    int Delete(int index)
    {
        if (index < 0 || index >= size)
            return 0;
        if (index < size - 1)
            memmove(elements + index, elements + index + 1, sizeof(T) * (size - 1 - index));
        SetSize(size - 1);
        return 1;
    }

    // Returns false, changing nothing, when the slot array cannot be resized.
    bool SetSize(int n)
    {
        if (n < 0)
            n = 0;
        bool agrandir = n > capacity;
        bool reduire = capacity > growStep && n < capacity - growStep;
        if (!agrandir && !reduire) {
            size = n;
            return true;
        }
        long long arrondi = (static_cast<long long>(n) + growStep - 1) / growStep * growStep;
        if (arrondi > 0x7fffffff / static_cast<long long>(sizeof(T)))
            return false;
        int nouvelleCapacite = static_cast<int>(arrondi);
        if (nouvelleCapacite == 0) {
            free(elements);
            elements = nullptr;
        } else {
            T* nouveau = static_cast<T*>(realloc(elements, sizeof(T) * nouvelleCapacite));
            if (!nouveau) {
                // A shrink that fails keeps the larger array: Delete has
                // already moved the elements down and must not be undone.
                if (!agrandir) {
                    size = n;
                    return true;
                }
                return false;
            }
            elements = nouveau;
        }
        capacity = nouvelleCapacite;
        size = n;
        return true;
    }
};

#endif
