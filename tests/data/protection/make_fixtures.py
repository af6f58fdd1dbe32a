#!/usr/bin/env python3
"""Writes the fixtures of the protection tests with an implementation of its
own, kept apart from the C++ one so the two check each other.
Run from this folder: python3 make_fixtures.py"""
import hashlib
import struct


def pi_fraction_bytes(count):
    # Machin's formula in integers; the fraction of pi in base 16.
    def arctan_inv(x, one):
        s = t = one // x
        n, sign = 1, -1
        while t:
            t //= x * x
            n += 2
            s += sign * (t // n)
            sign = -sign
        return s
    guard = 64
    one = 1 << (8 * count + guard)
    pi = 4 * (4 * arctan_inv(5, one) - arctan_inv(239, one))
    return ((pi - 3 * one) >> guard).to_bytes(count, 'big')


PI = pi_fraction_bytes(256)
M = 0xffffffff
def mix4(A,B,C,D):
    A=(A+D)&M; D=(D+A)&M; A^=A>>7
    B=(B+A)&M; A=(A+B)&M; B^=(B<<13)&M
    C=(C+B)&M; B=(B+C)&M; C^=C>>17
    D=(D+C)&M; C=(C+D)&M; D^=(D<<9)&M
    A=(A+D)&M; D=(D+A)&M; A^=A>>3
    B=(B+A)&M; A=(A+B)&M; B^=(B<<7)&M
    C=(C+B)&M; B=(B+C)&M; C^=D>>15
    D=(D+C)&M; C=(C+D)&M; D^=(D<<11)&M
    return A,B,C,D
def mix8(a,b,c,d,e,f,g,h):
    a^=(b<<11)&M; d=(d+a)&M; b=(b+c)&M
    b^=c>>2; e=(e+b)&M; c=(c+d)&M
    c^=(d<<8)&M; f=(f+c)&M; d=(d+e)&M
    d^=e>>16; g=(g+d)&M; e=(e+f)&M
    e^=(f<<10)&M; h=(h+e)&M; f=(f+g)&M
    f^=g>>4; a=(a+f)&M; g=(g+h)&M
    g^=(h<<8)&M; b=(b+g)&M; h=(h+a)&M
    h^=a>>9; c=(c+h)&M; a=(a+b)&M
    return a,b,c,d,e,f,g,h
def generate_key(pp):
    G = bytearray(PI[:256]); GI = 0
    K = bytearray([0x55]*16); KI = 0
    def absorb(x):
        nonlocal GI, KI, K
        G[GI] ^= x; GI = (GI+1) % 256
        K[KI] ^= x; KI += 1
        if KI == 8:
            K0,K1,K2,K3 = struct.unpack('<4I', K)
            A,B,C,D = K3,K2,K1,K0
            for _ in range(4): A,B,C,D = mix4(A,B,C,D)
            K[:] = struct.pack('<4I', A,B,C,D)
            KI = 0
    for x in pp: absorb(x)
    pad = [1,0,0,0,0,0,0,0]
    for x in pad[:8-KI]: absorb(x)
    K0,K1,K2,K3 = struct.unpack('<4I', K)
    pairs = []
    for T in (0x55555555, 0xAAAAAAAA):
        s = (K0,T,K1,T,K2,T,K3,T)
        for _ in range(8): s = mix8(*s)
        pairs += [(s[0],s[1]),(s[2],s[3]),(s[4],s[5]),(s[6],s[7])]
    X = struct.unpack('<4I', bytes(G[:16]))
    L = [X[0],X[1]]; R = [X[2],X[3]]
    for r in range(8):
        S0,S1 = pairs[r]
        A,B,C,D = mix4(L[0],S0,L[1],S1)
        A,B,C,D = mix4(C,D,A,B)
        T0 = B^A^R[0]; T1 = D^C^R[1]
        R = L; L = [T0,T1]
    return struct.pack('<4I', R[0],R[1],L[0],L[1])
def schedule(key):
    P = list(struct.unpack('>18I', PI[:72]))
    for i in range(18):
        j = (4*i) % 16
        P[i] ^= struct.unpack('>I', key[j:j+4])[0]
    def E(): 
        v=0
        for i in range(0,18,2): v^=P[i]
        return v
    def O():
        v=0
        for i in range(1,18,2): v^=P[i]
        return v
    L=R=0
    for i in range(0,18,2):
        L ^= E(); R ^= O(); P[i]=L; P[i+1]=R
    return E(), O()
def transform(block, mask):
    a,b = struct.unpack('<2I', block)
    return struct.pack('<2I', a^mask[0], b^mask[1])
def encrypt(data, key):
    m = schedule(key); out = bytearray(); n=len(data); k=n//8; r=n%8
    for i in range(k): out += transform(data[8*i:8*i+8], m)
    last = bytearray(8); last[:r] = data[8*k:]; last[7]=r
    out += transform(bytes(last), m)
    return bytes(out)


def write(name, data):
    with open(name, 'wb') as f:
        f.write(data)


def old_form_password_file(phrase):
    # A salt holding CR LF, a lone LF and byte 26, and a check value holding a
    # line-breaking byte too: only a read by position gets these back.
    counter = 0
    while True:
        salt = b'\r\nA\x1a' + bytes([counter % 256, counter // 256]) + b'\n' + bytes(range(100, 114))
        check = check_value(phrase, salt)
        if any(b in (10, 13, 26) for b in check):
            return salt + b'\r\n' + check + b'\r\n'
        counter += 1


def check_value(phrase, salt):
    return hashlib.sha1(phrase + salt).digest()[:15]


if __name__ == '__main__':
    write('passwd-old-form.txt', old_form_password_file(b'Marevo'))
    salt = b'saltsaltsaltsaltsalt!'
    write('passwd-lf-only.txt', salt + b'\n' + check_value(b'Marevo', salt) + b'\n')
    key = generate_key('Zażółć'.encode('utf-8'))
    plain = 'First line\r\nDruga linia: zażółć\r\n'.encode('utf-8')
    write('notepad-plain.txt', plain)
    write('notepad-enciphered.bin', encrypt(plain, key))
