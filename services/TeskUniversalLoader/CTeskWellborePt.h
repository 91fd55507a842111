#pragma once
// One point of a wellbore: X offset (east) and Y offset (north) of the
// surface location, TVD and MD, in the project's depth unit; optionally the
// inclination and azimuth (degrees) of the survey station it was computed
// from, which lets the point set follow the hole's arc between points.

class CTeskWellborePt {
public:
    CTeskWellborePt() = default;
    CTeskWellborePt(double dXOffset, double dYOffset, double dTVD, double dMD)
        : m_dXOffset(dXOffset), m_dYOffset(dYOffset), m_dTVD(dTVD), m_dMD(dMD) {}

    double GetXOffset() const { return m_dXOffset; }
    double GetYOffset() const { return m_dYOffset; }
    double GetTVD() const { return m_dTVD; }
    double GetMD() const { return m_dMD; }
    void SetXOffset(double d) { m_dXOffset = d; }
    void SetYOffset(double d) { m_dYOffset = d; }
    void SetTVD(double d) { m_dTVD = d; }
    void SetMD(double d) { m_dMD = d; }

    bool HasAngles() const { return m_bHasAngles; }
    double GetInclination() const { return m_dInclination; }  // 0 without angles
    double GetAzimuth() const { return m_dAzimuth; }          // 0 without angles
    void SetAngles(double dInclination, double dAzimuth) {
        m_dInclination = dInclination;
        m_dAzimuth = dAzimuth;
        m_bHasAngles = true;
    }
    void ClearAngles() {
        m_dInclination = m_dAzimuth = 0;
        m_bHasAngles = false;
    }

private:
    double m_dXOffset = 0;
    double m_dYOffset = 0;
    double m_dTVD = 0;
    double m_dMD = 0;
    double m_dInclination = 0;
    double m_dAzimuth = 0;
    bool m_bHasAngles = false;
};
