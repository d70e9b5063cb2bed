// CArray<TYPE, ARG_TYPE>: MFC's growable array (header only, as a template must be).
//
// Elements are constructed and destroyed properly (placement new), so CString and other
// classes are safe element types. Every indexed access (GetAt, SetAt, ElementAt,
// operator[], RemoveAt, InsertAt with a negative index) checks the index: outside
// [0, GetSize()) it reports the fault and throws CInvalidArgException* (CException.h)
// instead of touching memory outside the array. SetAtGrow and InsertAt past the end grow
// the array, as in MFC.
#pragma once
#include <new>
#include <utility>
#include "CObject.h"
#include "CException.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() : m_pData(nullptr), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    ~CArray() override { SetSize(0, -1); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidIndex(L"CArray::SetSize", nNewSize, m_nSize);
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        if (nNewSize == 0) {
            Destroy(0, m_nSize);
            ::operator delete(m_pData);
            m_pData = nullptr;
            m_nSize = m_nMaxSize = 0;
            return;
        }
        if (nNewSize > m_nMaxSize)
            Grow(nNewSize);
        if (nNewSize > m_nSize) {
            for (INT_PTR i = m_nSize; i < nNewSize; ++i)
                ::new ((void*)(m_pData + i)) TYPE();
        } else {
            Destroy(nNewSize, m_nSize);
        }
        m_nSize = nNewSize;
    }

    void FreeExtra()
    {
        if (m_nSize == m_nMaxSize)
            return;
        TYPE* p = m_nSize ? Allocate(m_nSize) : nullptr;
        MoveTo(p);
        m_nMaxSize = m_nSize;
    }

    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const
    {
        Check(L"CArray::GetAt", nIndex);
        return m_pData[nIndex];
    }
    TYPE& GetAt(INT_PTR nIndex)
    {
        Check(L"CArray::GetAt", nIndex);
        return m_pData[nIndex];
    }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement)
    {
        Check(L"CArray::SetAt", nIndex);
        m_pData[nIndex] = newElement;
    }
    const TYPE& ElementAt(INT_PTR nIndex) const
    {
        Check(L"CArray::ElementAt", nIndex);
        return m_pData[nIndex];
    }
    TYPE& ElementAt(INT_PTR nIndex)
    {
        Check(L"CArray::ElementAt", nIndex);
        return m_pData[nIndex];
    }
    const TYPE& operator[](INT_PTR nIndex) const
    {
        Check(L"CArray::operator[]", nIndex);
        return m_pData[nIndex];
    }
    TYPE& operator[](INT_PTR nIndex)
    {
        Check(L"CArray::operator[]", nIndex);
        return m_pData[nIndex];
    }

    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidIndex(L"CArray::SetAtGrow", nIndex, m_nSize);
        if (nIndex >= m_nSize) {
            TYPE copy(newElement); // newElement may live in this array
            SetSize(nIndex + 1, -1);
            m_pData[nIndex] = std::move(copy);
        } else {
            m_pData[nIndex] = newElement;
        }
    }

    INT_PTR Add(ARG_TYPE newElement)
    {
        INT_PTR nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }

    INT_PTR Append(const CArray& src)
    {
        INT_PTR nOld = m_nSize;
        if (&src == this) {
            INT_PTR n = m_nSize;
            SetSize(nOld + n, -1);
            for (INT_PTR i = 0; i < n; ++i)
                m_pData[nOld + i] = m_pData[i];
        } else {
            SetSize(nOld + src.m_nSize, -1);
            for (INT_PTR i = 0; i < src.m_nSize; ++i)
                m_pData[nOld + i] = src.m_pData[i];
        }
        return nOld;
    }

    void Copy(const CArray& src)
    {
        if (&src == this)
            return;
        SetSize(src.m_nSize, -1);
        for (INT_PTR i = 0; i < src.m_nSize; ++i)
            m_pData[i] = src.m_pData[i];
    }

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0)
            AfxThrowInvalidIndex(L"CArray::InsertAt", nIndex < 0 ? nIndex : nCount, m_nSize);
        if (nCount == 0)
            return;
        TYPE copy(newElement);
        if (nIndex >= m_nSize) {
            SetSize(nIndex + nCount, -1);
        } else {
            INT_PTR nOld = m_nSize;
            SetSize(m_nSize + nCount, -1);
            for (INT_PTR i = nOld - 1; i >= nIndex; --i)
                m_pData[i + nCount] = std::move(m_pData[i]);
        }
        for (INT_PTR i = 0; i < nCount; ++i)
            m_pData[nIndex + i] = copy;
    }

    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (!pNewArray || nStartIndex < 0)
            AfxThrowInvalidIndex(L"CArray::InsertAt", nStartIndex, m_nSize);
        if (pNewArray->m_nSize == 0)
            return;
        CArray copy;
        copy.Copy(*pNewArray);
        InsertAt(nStartIndex, copy.m_pData[0], copy.m_nSize);
        for (INT_PTR i = 0; i < copy.m_nSize; ++i)
            m_pData[nStartIndex + i] = copy.m_pData[i];
    }

    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > m_nSize)
            AfxThrowInvalidIndex(L"CArray::RemoveAt", nIndex + (nCount > 0 ? nCount - 1 : 0),
                                 m_nSize);
        for (INT_PTR i = nIndex; i + nCount < m_nSize; ++i)
            m_pData[i] = std::move(m_pData[i + nCount]);
        Destroy(m_nSize - nCount, m_nSize);
        m_nSize -= nCount;
    }

protected:
    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;

private:
    void Check(LPCWSTR where, INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidIndex(where, nIndex, m_nSize);
    }

    static TYPE* Allocate(INT_PTR n)
    {
        return static_cast<TYPE*>(::operator new(sizeof(TYPE) * (size_t)n));
    }

    void Destroy(INT_PTR from, INT_PTR to)
    {
        for (INT_PTR i = from; i < to; ++i)
            m_pData[i].~TYPE();
    }

    void MoveTo(TYPE* p)
    {
        for (INT_PTR i = 0; i < m_nSize; ++i) {
            ::new ((void*)(p + i)) TYPE(std::move(m_pData[i]));
            m_pData[i].~TYPE();
        }
        ::operator delete(m_pData);
        m_pData = p;
    }

    void Grow(INT_PTR nNewSize)
    {
        // Unless the caller fixed the growth, grow by half: adding 100,000 items one by
        // one must stay linear.
        INT_PTR grow = m_nGrowBy;
        if (grow == 0)
            grow = m_nSize / 2 < 4 ? 4 : m_nSize / 2;
        INT_PTR nMax = m_nMaxSize + grow;
        if (nMax < nNewSize)
            nMax = nNewSize;
        MoveTo(Allocate(nMax));
        m_nMaxSize = nMax;
    }
};
