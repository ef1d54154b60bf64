-- Calibration script of the sample detector PV-640.
-- Arguments of the sensor functions: s1 detector, s2 housing, s3 shutter,
-- s4 lens barrel, s5 board temperature (degrees Celsius), then the lens type
-- and the measuring range currently selected.

local function housing_mix(s1, s2)
    return 0.8 * s1 + 0.2 * s2
end

-- Reference blackbody temperature that the base AD stands for.
function calc_base_temp(s1, s2, s3, s4, s5, lens, range)
    local detector = housing_mix(s1, s2)
    if range == 0 then
        return math.max(-20, math.min(150, detector))
    end
    return 150 + 0.5 * detector
end

-- Offset of the raw AD values against the detector's own warm-up.
function get_ad_compensation(s1, s2, s3, s4, s5, lens, range)
    return math.floor((s1 - 25.0) * 3.5 + (s4 - s5) * 0.8)
end

-- Atmosphere beyond the model: a slight gain with distance (metres).
function get_dist_coff(distance, lens, range, ambient)
    local gain = 1.0 + 0.0004 * distance
    if lens == 1 then
        gain = gain + 0.0002 * distance
    end
    return gain, -0.01 * distance
end

function division_temp(s1, s2, s3, s4, s5, lens, range)
    if range == 0 then
        return 40
    end
    return 300
end

function get_numbers_of_section(s1, s2, s3, s4, s5, lens, range)
    return 3
end

function vals_of_section(s1, s2, s3, s4, s5, lens, range)
    if range == 0 then
        return 20, 80
    end
    return 200, 450
end

function coff_of_ad_compensation(s1, s2, s3, s4, s5, lens, range)
    if range == 0 then
        return 1.00, 1.01, 1.02
    end
    return 1.00, 1.005, 1.01
end

-- Below this detector temperature the cold-environment calibration holds.
function get_switch_temp_of_calibrate_enviroment()
    return 20.0
end
