// The class library's collection templates: CList.
#pragma once
#include "afx.h"

// A doubly linked list; a POSITION names a node and stays valid until that node is removed.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return m_pNodeHead->data; }
    const TYPE& GetHead() const { return m_pNodeHead->data; }
    TYPE& GetTail() { return m_pNodeTail->data; }
    const TYPE& GetTail() const { return m_pNodeTail->data; }

    TYPE RemoveHead()
    {
        CNode* old = m_pNodeHead;
        TYPE value = old->data;
        m_pNodeHead = old->pNext;
        (m_pNodeHead ? m_pNodeHead->pPrev : m_pNodeTail) = nullptr;
        FreeNode(old);
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* old = m_pNodeTail;
        TYPE value = old->data;
        m_pNodeTail = old->pPrev;
        (m_pNodeTail ? m_pNodeTail->pNext : m_pNodeHead) = nullptr;
        FreeNode(old);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement)
    {
        CNode* node = NewNode(nullptr, m_pNodeHead, newElement);
        (m_pNodeHead ? m_pNodeHead->pPrev : m_pNodeTail) = node;
        m_pNodeHead = node;
        return Pos(node);
    }
    POSITION AddTail(ARG_TYPE newElement)
    {
        CNode* node = NewNode(m_pNodeTail, nullptr, newElement);
        (m_pNodeTail ? m_pNodeTail->pNext : m_pNodeHead) = node;
        m_pNodeTail = node;
        return Pos(node);
    }
    void RemoveAll()
    {
        while (m_pNodeHead) {
            CNode* next = m_pNodeHead->pNext;
            delete m_pNodeHead;
            m_pNodeHead = next;
        }
        m_pNodeTail = nullptr;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return Pos(m_pNodeHead); }
    POSITION GetTailPosition() const { return Pos(m_pNodeTail); }
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* node = Node(rPosition);
        rPosition = Pos(node->pNext);
        return node->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        const CNode* node = Node(rPosition);
        rPosition = Pos(node->pNext);
        return node->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* node = Node(rPosition);
        rPosition = Pos(node->pPrev);
        return node->data;
    }
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }

    void RemoveAt(POSITION position)
    {
        CNode* node = Node(position);
        (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node->pNext;
        (node->pNext ? node->pNext->pPrev : m_pNodeTail) = node->pPrev;
        FreeNode(node);
    }
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (!position)
            return AddHead(newElement);
        CNode* old = Node(position);
        CNode* node = NewNode(old->pPrev, old, newElement);
        (old->pPrev ? old->pPrev->pNext : m_pNodeHead) = node;
        old->pPrev = node;
        return Pos(node);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (!position)
            return AddTail(newElement);
        CNode* old = Node(position);
        CNode* node = NewNode(old, old->pNext, newElement);
        (old->pNext ? old->pNext->pPrev : m_pNodeTail) = node;
        old->pNext = node;
        return Pos(node);
    }

    // The first element equal to searchValue after startAfter (from the head when NULL).
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const
    {
        const CNode* node = startAfter ? Node(startAfter)->pNext : m_pNodeHead;
        for (; node; node = node->pNext)
            if (node->data == searchValue)
                return Pos(node);
        return nullptr;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        const CNode* node = m_pNodeHead;
        while (nIndex--)
            node = node->pNext;
        return Pos(node);
    }

private:
    static POSITION Pos(const CNode* node) { return reinterpret_cast<POSITION>(const_cast<CNode*>(node)); }
    static CNode* Node(POSITION pos) { return reinterpret_cast<CNode*>(pos); }

    CNode* NewNode(CNode* prev, CNode* next, ARG_TYPE value)
    {
        CNode* node = new CNode{next, prev, value};
        ++m_nCount;
        return node;
    }
    void FreeNode(CNode* node)
    {
        delete node;
        --m_nCount;
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
    INT_PTR m_nBlockSize;
};
